// SPDX-License-Identifier: LicenseRef-Tavelcor
// The map XML import: the size check with the converter, the reading of the
// lines through the scanners (mapxml_scan.h), then the site's attribute
// file and the end.
#include "main/site/mapxml.h"

#include "main/site/mapxml_scan.h"
#include "main/site/mapxml_text.h"
#include "main/site/parcel_attr_file.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/prompt/prompter.h"
#include "platform/system/documents.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"
#include "platform/text/textfile.h"

#include <QFileInfo>
#include <QProcess>

#include <optional>
#include <utility>

namespace tavelcor {
namespace {

using mapxml::FileEncoding;

constexpr qint64 kProgressLines = 10000;

// The file the lines are read from, and how.
struct Source {
    QString path;
    FileEncoding encoding = FileEncoding::Utf8;
    bool converted = false;  // the converter's output, not the chosen file
    QString failure;         // why counting its lines broke off, when it did
};

// The environment with its defaults filled in.
MapXmlEnvironment completed(const MapXmlEnvironment& given)
{
    MapXmlEnvironment e = given;
    if (e.converterPath.isEmpty())
        e.converterPath = platform::executableFolder() + QStringLiteral("/ransko");
    if (!e.runConverter)
        e.runConverter = runHiddenAndWait;
    if (!e.openTextEditor)
        e.openTextEditor = openInTextEditor;
    if (!e.showStage)
        e.showStage = [](const QString&) {};
    return e;
}

// The work folder start-up set, else the system's.
QString workFolderPath()
{
    return WorkFolder.isEmpty() ? platform::workFolder() : WorkFolder;
}

QString temporaPath()
{
    return workFolderPath() + QStringLiteral("/Tempora.txt");
}

// How counting or reading the lines of a file ended.
enum class Reading { CannotOpen, Done, TooManyLines, NotShiftJis, Broken };

// Lines of the file up to limit (the count stops there), ended as the line
// reader ends them.
struct LineCount {
    Reading end = Reading::Done;  // CannotOpen, Broken (a read failed, a line too long) or Done
    qint64 count = 0;
    QString failure;              // the message of Broken
};

// Broken with the message that says why file (named fileName in messages)
// stopped, else Done.
LineCount ended(const platform::TextFileReader& file, const QString& fileName, qint64 count)
{
    if (!file.hasError())
        return {Reading::Done, count, {}};
    return {Reading::Broken, count, sitetext::readFailureMessage(file, fileName)};
}

LineCount countLines(const QString& path, qint64 limit)
{
    platform::TextFileReader file(path, platform::TextEncoding::Utf8);
    if (!file.isOpen())
        return {Reading::CannotOpen, 0, {}};
    // Only the line ends are looked for: no line is made.
    const qint64 count = file.lines().skipLines(limit);
    return ended(file, QFileInfo(path).fileName(), count);
}

enum class SizeDecision { ReadAsIs, Converted, Stop, Broken };

// No converter beside the program: advise converting the file with a text
// editor. Yes twice opens the editor and ends the program.
SizeDecision adviseEditor(const QString& path, qint64 count, const MapXmlEnvironment& e)
{
    MsgText = QStringLiteral("行数が") + QString::number(count)
              + QStringLiteral("以上あります。データロードに５分以上要しますが\r\n")
              + QStringLiteral("メモ帳でxmlファイルの形式を「UTF8」から、「ANSI」に変換し\r\n")
              + QStringLiteral("保存したファイルを呼び出すと、大幅に時間短縮できます。\r\n")
              + QStringLiteral("変換してから再度呼び出しますか？");
    if (!askSiteQuestion(MsgText))
        return SizeDecision::ReadAsIs;
    MsgText = QStringLiteral("メモ帳を起動しますか？\r\n起動する場合は、呼び出し後に\r\n")
              + QStringLiteral("「ファイル」　「名前を付けて保存」\r\n「文字コード」 は 「ANSI」を選択\r\n")
              + QStringLiteral("「ファイル名」 は 最後に「.TXT」を追加し、保存してください\r\n")
              + QStringLiteral("完了後、再度tavelcorを起動し\r\nファイルの種類を「地図xml(JIS)」にして\r\n")
              + QStringLiteral("登録したTXTファイルを呼び出してください");
    if (!askSiteQuestion(MsgText))
        return SizeDecision::Stop;
    (void)e.openTextEditor(path);  // a failure to start the editor is passed over
    platform::MsgBox(MsgText + QStringLiteral("\r\nTavelcorを終了します"), platform::MsgButtons::OkOnly);
    return SizeDecision::Stop;
}

// Runs the converter into the work folder's "Tempora.txt". Converted when it
// wrote the file; otherwise the original is read as it is (a converter that
// cannot be started is reported first).
SizeDecision convert(const QString& path, const MapXmlEnvironment& e)
{
    e.showStage(QStringLiteral("Shift_JIS　に変換中"));
    platform::ensureFolder(workFolderPath());
    const QString output = temporaPath();
    platform::removeFile(output);  // never read what an earlier run left
    const ProcessRun run = e.runConverter(e.converterPath, {path, output});
    if (run == ProcessRun::NotStarted)
        platform::MsgBox(QStringLiteral("プロセスハンドルの取得に失敗しました"), platform::MsgButtons::OkOnly);
    if (run == ProcessRun::Succeeded && platform::fileExists(output))
        return SizeDecision::Converted;
    return SizeDecision::ReadAsIs;
}

// Decides, for a UTF-8 ".xml" file, what is read. nullopt when the file
// cannot be opened; Broken when counting its lines failed part-way.
std::optional<std::pair<SizeDecision, Source>> sourceOfXml(const QString& path, const MapXmlEnvironment& e)
{
    const LineCount counted = countLines(path, kMapXmlConvertLines);
    if (counted.end == Reading::CannotOpen)
        return std::nullopt;
    Source asIs{path, FileEncoding::Utf8, false, {}};
    if (counted.end == Reading::Broken) {
        asIs.failure = counted.failure;
        return std::pair{SizeDecision::Broken, asIs};
    }
    const qint64 count = counted.count;
    if (count < kMapXmlConvertLines)
        return std::pair{SizeDecision::ReadAsIs, asIs};
    const SizeDecision d = platform::fileExists(e.converterPath) ? convert(path, e)
                                                                 : adviseEditor(path, count, e);
    if (d == SizeDecision::Converted)
        return std::pair{d, Source{temporaPath(), FileEncoding::Cp932, true, {}}};
    return std::pair{d, asIs};
}

// Reads every line of the source through the import; messages name the
// chosen file as fileName.
LineCount readLines(const Source& source, const QString& fileName, mapxml::Import& import,
                    const MapXmlEnvironment& e)
{
    const bool utf8 = source.encoding == FileEncoding::Utf8;
    platform::TextFileReader file(source.path, utf8 ? platform::TextEncoding::Utf8 : platform::TextEncoding::Cp932);
    if (!file.isOpen())
        return {Reading::CannotOpen, 0, {}};
    platform::LineReader& reader = file.lines();
    const QString unit = utf8 ? QStringLiteral("k/") : QStringLiteral("k");
    mapxml::Line line(source.encoding);
    mapxml::Line previous(source.encoding);
    QByteArray bytes;
    qint64 count = 0;
    // A chosen ".TXT" file is told from one saved in UTF-8 by its first line
    // beyond ASCII.
    bool encodingKnown = utf8 || source.converted;
    while (!import.failed() && reader.readLineBytes(bytes)) {
        if (++count > kMapXmlLineTop + 1)
            return {Reading::TooManyLines, 0, {}};
        if (!encodingKnown) {
            const mapxml::TextKind kind = mapxml::textKindOf(bytes);
            if (kind == mapxml::TextKind::Utf8)
                return {Reading::NotShiftJis, 0, {}};
            encodingKnown = kind == mapxml::TextKind::Other;
        }
        if (count % kProgressLines == 0)
            e.showStage(QString::number(count / 1000) + unit);
        if (count == 1)
            continue;  // the declaration is never looked at
        line.reset(bytes, count);
        import.feed(line, previous);
        line.swap(previous);
    }
    // The lines before a failed read are no whole file: the import's own
    // end checks would call it cut short.
    if (reader.hasError())
        return ended(file, fileName, count);
    import.finish(count);
    return {Reading::Done, count, {}};
}

ReadOutcome stopWith(const QString& message)
{
    showSiteMessage(message);
    return ReadOutcome::StopProgram;
}

// Removes the converter's output when the import ends, however it ends.
class TemporaGuard {
public:
    TemporaGuard() = default;
    TemporaGuard(const TemporaGuard&) = delete;
    TemporaGuard& operator=(const TemporaGuard&) = delete;
    ~TemporaGuard() { platform::removeFile(temporaPath()); }
};

}  // namespace

ReadOutcome ReadMapXml(const QString& path, const MapXmlEnvironment& environment)
{
    const MapXmlEnvironment e = completed(environment);
    const TemporaGuard tempora;
    e.showStage(QStringLiteral("ＸＭＬを確認しています"));
    Source source{path, FileEncoding::Cp932, false, {}};
    if (path.right(3).toLower() == u"xml") {
        const auto decided = sourceOfXml(path, e);
        if (!decided)
            return ReadOutcome::Missing;
        if (decided->first == SizeDecision::Stop)
            return ReadOutcome::StopProgram;
        if (decided->first == SizeDecision::Broken)
            return stopWith(decided->second.failure);
        source = decided->second;
    }
    const QString fileName = QFileInfo(path).fileName();
    mapxml::Import import(source.encoding, fileName);
    const LineCount read = readLines(source, fileName, import, e);
    const Reading reading = read.end;
    if (reading == Reading::CannotOpen)
        return ReadOutcome::Missing;
    if (reading == Reading::Broken)
        return stopWith(read.failure);
    if (reading == Reading::NotShiftJis) {
        showSiteMessage(fileName + QStringLiteral("はShift-JISで保存されていません（UTF-8のようです）。")
                        + QStringLiteral("名前の最後を「.xml」にして呼び出してください。")
                        + QStringLiteral("\r\n地図XMLを読み込めません。"));
        return ReadOutcome::StopProgram;
    }
    if (reading == Reading::TooManyLines) {
        showSiteMessage(fileName + QStringLiteral("の行数が上限の") + QString::number(kMapXmlLineTop + 1)
                        + QStringLiteral("行を超えています。\r\n地図XMLを読み込めません。"));
        return ReadOutcome::StopProgram;
    }
    e.showStage(QStringLiteral("SIMAに変換しています"));
    if (import.apply(askSiteQuestion) != ReadOutcome::Ok) {
        if (import.failed())
            showSiteMessage(import.failure());
        return ReadOutcome::StopProgram;
    }
    if (readParcelAttributes(SiteFolder) == ReadOutcome::StopProgram)
        return ReadOutcome::StopProgram;
    if (ZoneNo == 0)
        ZoneNo = 6;
    return ReadOutcome::Ok;
}

void shiftMapXmlRows(double originX, double originY)
{
    for (int i = 1; i < LineNext && i <= kLineTop; ++i) {
        LineX1[i] -= originX;
        LineY1[i] -= originY;
        LineX2[i] -= originX;
        LineY2[i] -= originY;
    }
    for (int p = 1; p <= PointCount && p <= kPointTop; ++p) {
        PointX[p] -= originX;
        PointY[p] -= originY;
    }
}

bool openInTextEditor(const QString& path)
{
    return platform::openDocument(path);
}

ProcessRun runHiddenAndWait(const QString& program, const QStringList& arguments)
{
    QProcess process;
    // Nobody reads the helper's output: a full pipe would stall it.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return ProcessRun::NotStarted;
    process.waitForFinished(-1);
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return ok ? ProcessRun::Succeeded : ProcessRun::Failed;
}

}  // namespace tavelcor
