// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/site_messages.h"

#include "platform/prompt/prompter.h"

namespace tavelcor {
namespace {

// "<file>の「<line>」行データ<tail>", the form of every malformed-row message.
QString rowMessage(const QString& fileName, QStringView line, const QString& tail)
{
    return fileName + QStringLiteral("の「") + line.toString() + QStringLiteral("」行データ") + tail;
}

}  // namespace

QString extraCommaMessage(const QString& fileName, QStringView line)
{
    return rowMessage(fileName, line,
                      QStringLiteral("に余分なカンマ「,」が入っています。エディタで直接修正してください。"));
}

QString missingCommaMessage(const QString& fileName, QStringView line)
{
    return rowMessage(fileName, line,
                      QStringLiteral("にカンマ「,」が不足しています。エディタで直接修正してください。"));
}

QString outOfRangeMessage(const QString& fileName, QStringView line)
{
    return rowMessage(fileName, line,
                      QStringLiteral("に範囲外の数値が入っています。エディタで直接修正してください。"));
}

QString tableFullMessage(const QString& fileName, QStringView line, int limit)
{
    return rowMessage(fileName, line,
                      QStringLiteral("で件数が上限の") + QString::number(limit)
                          + QStringLiteral("を超えました。エディタで直接修正してください。"));
}

QString truncatedMessage(const QString& fileName, QStringView line)
{
    return rowMessage(fileName, line,
                      QStringLiteral("の後でファイルが途切れています。エディタで直接修正してください。"));
}

QString notNumberMessage(const QString& fileName, QStringView line)
{
    return rowMessage(fileName, line,
                      QStringLiteral("の個数が数値ではありません。エディタで直接修正してください。"));
}

QString missingCoordinateMessage(const QString& parcelName, QStringView numberField,
                                 const QString& storedName)
{
    return parcelName + QStringLiteral("画地データに、座標ナンバー ") + numberField.toString()
           + QStringLiteral(" を含んでいますが、座標データが有りませんので、このポイントを無視しました")
           + storedName;
}

QString missingPositionMessage(const QString& fileName, const QStringList& firstRows, int total)
{
    QString text = fileName
                   + QStringLiteral("の次の行にX座標またはY座標の数値がありません。0として読み込みましたが、"
                                    "全体表示の範囲には含めません。エディタで確認してください。");
    for (const QString& row : firstRows)
        text += QStringLiteral("\r\n") + row;
    if (total > firstRows.size())
        text += QStringLiteral("\r\nほか%1行").arg(total - firstRows.size());
    return text;
}

QString readErrorMessage(const QString& fileName)
{
    return fileName + QStringLiteral("の読み込み中にエラーが発生しました。ファイルを最後まで読み込めませんでした。")
           + QStringLiteral("ファイルのある場所（USBメモリやネットワーク）を確かめてください。");
}

QString lineTooLongMessage(const QString& fileName, qint64 row)
{
    return fileName + QStringLiteral("の") + QString::number(row)
           + QStringLiteral("行目が長すぎます（1行は1MBまでです）。ファイルを読み込めませんでした。")
           + QStringLiteral("エディタで直接修正してください。");
}

QString cannotOpenMessage(const QString& file)
{
    return file + QStringLiteral("を開けません。ファイルを読み込めませんでした。");
}

void showSiteMessage(const QString& text)
{
    platform::MsgBox(text, platform::MsgButtons::OkOnly);
}

bool askSiteQuestion(const QString& question)
{
    return platform::askYesNo(question);
}

}  // namespace tavelcor
