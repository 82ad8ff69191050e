// SPDX-License-Identifier: LicenseRef-Tavelcor
// A text field in a window of its own, as another program the keypad types
// into. Usage: kintab_test_field <record file>
//
// Prints its window id (decimal) on a line of its own once the window is
// shown. At the start and after every change it replaces the record file
// with two lines: the field's text, then "ENTER <n>" with the number of
// Enter presses so far, so the test can compare the whole file.
#include <QApplication>
#include <QLineEdit>
#include <QSaveFile>
#include <QTimer>

#include <cstdio>

namespace {

void writeRecord(const QString& path, const QString& text, int enters)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(text.toUtf8() + "\nENTER " + QByteArray::number(enters) + "\n");
    file.commit();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString record = QString::fromLocal8Bit(argv[1]);
    QLineEdit field;
    field.setWindowTitle(QStringLiteral("FIELD"));
    field.resize(300, 40);
    field.move(20, 20);
    int enters = 0;
    QObject::connect(&field, &QLineEdit::textChanged, [&] { writeRecord(record, field.text(), enters); });
    QObject::connect(&field, &QLineEdit::returnPressed, [&] {
        ++enters;
        writeRecord(record, field.text(), enters);
    });
    writeRecord(record, QString(), 0);
    field.show();
    QTimer::singleShot(0, [&] {
        std::printf("%llu\n", static_cast<unsigned long long>(field.winId()));
        std::fflush(stdout);
    });
    return app.exec();
}
