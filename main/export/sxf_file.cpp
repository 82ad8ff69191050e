// SPDX-License-Identifier: LicenseRef-Tavelcor
// The frame of the SXF file: head, definitions, feature blocks, tail; the
// colour and marker tables; the text line layout.
#include "main/export/sxf_file.h"

#include "main/export/sxf_bytes.h"
#include "main/export/sxf_writer.h"
#include "main/render/text_layout.h"
#include "main/site/tables.h"
#include "platform/text/cp932.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"
#include "platform/text/textfile.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace tavelcor::sxf {
namespace {

// The head: file description, the fixed file name and time stamp, schema.
constexpr std::array<QStringView, 15> kHead = {
    u"ISO-10303-21;",
    u"HEADER;",
    u"FILE_DESCRIPTION(('SCADEC level2 feature_mode'),",
    u"        '2;1');",
    u"FILE_NAME('tvx.sfc',",
    u"        '2010-1-1T0:0:0',",
    u"        (''),",
    u"        (''),",
    u"        'SCADEC_API_Ver2.02',",
    u"        '',",
    u"        '');",
    u"FILE_SCHEMA(('ASSOCIATIVE_DRAUGHTING'));",
    u"ENDSEC;",
    u"DATA;",
    u"",
};

constexpr std::array<QStringView, 16> kColourNames = {
    u"red",    u"deeppink", u"green",      u"black",     u"blue",     u"yellow",    u"magenta",  u"cyan",
    u"white",  u"brown",    u"orange",     u"lightgreen", u"lightblue", u"lavender", u"lightgray", u"darkgray",
};

constexpr std::array<QStringView, 15> kLineFontNames = {
    u"long dashed double-dotted",
    u"continuous",
    u"double-dashed double-dotted",
    u"dashed",
    u"dashed spaced",
    u"long dashed dotted",
    u"long dashed triplicate-dotted",
    u"dotted",
    u"chain",
    u"chain double dash",
    u"dashed dotted",
    u"double-dashed dotted",
    u"dashed double-dotted",
    u"dashed triplicate-dotted",
    u"double-dashed triplicate-dotted",
};

constexpr std::array<QStringView, 9> kLineWidths = {
    u"0.130000", u"0.180000", u"0.250000", u"0.350000", u"0.500000",
    u"0.700000", u"1.000000", u"1.400000", u"2.000000",
};

constexpr std::array<QStringView, 2> kTextFonts = {u"ＭＳ ゴシック", u"ＭＳ 明朝"};

// The 26 layers, by their number 1..26.
constexpr std::array<QStringView, 26> kLayers = {
    u"POINT",  u"LINE",   u"TEGAKI", u"TEXT",   u"SIMAXY", u"SIMAKAKUTI", u"TEXT1",  u"TEXT2",  u"TEXT3",
    u"TEXT4",  u"TEXT5",  u"TEXT6",  u"TEXT7",  u"TEXT8",  u"TEXT9",      u"TEXT10", u"TEXT11", u"TEXT12",
    u"TEXT13", u"TEXT14", u"TEXT15", u"TEXT16", u"TEXT17", u"TEXT18",     u"TEXT19", u"TEXT20",
};

// SXF colour number of the classic palette's colour indexes 0..15.
constexpr std::array<int, 16> kSxfColor = {1, 4, 13, 12, 10, 9, 11, 15, 16, 4, 3, 7, 2, 6, 5, 8};

constexpr int kBlackSxf = 1;
// Split-text lines 1..10 have layers TEXT11..TEXT20 (17..26); later lines
// share the last of them.
constexpr int kLastTextLayer = 26;

// A definition block of the head: its line keeps its blanks.
void writeDefinition(platform::TextFileWriter& out, int entity, QStringView kind, QStringView value, bool textValue)
{
    sitetext::Row row;
    row << u'#';
    sitetext::appendInt(row, entity);
    row << u" = " << kind << u'(';
    row << (textValue ? u"\\'" : u"'") << value << (textValue ? u"\\'" : u"'") << u')';
    out.writeLine(u"/*SXF");
    out.writeLine(row.view());
    out.writeLine(u"SXF*/");
    out.writeLine();
}

// Appends a text as an SXF text attribute's content: blanks and control
// characters left out, apostrophes and backslashes doubled.
void appendEscaped(QString& out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u < 0x20)
            continue;
        if (u == u'\'' || u == u'\\')
            out.append(c);
        out.append(c);
    }
}

}  // namespace

int sxfColorOf(int colorIndex) noexcept
{
    if (colorIndex < 0 || colorIndex >= static_cast<int>(kSxfColor.size()))
        return kBlackSxf;
    return kSxfColor[static_cast<std::size_t>(colorIndex)];
}

int sxfMarkerClass(QStringView caption) noexcept
{
    struct Row {
        std::initializer_list<QStringView> captions;
        int markerClass;
    };
    static const Row rows[] = {
        {{u"*", u"＊"}, 1},
        {{u"・", u""}, 3},
        {{u"＋", u"+", u"╋"}, 4},
        {{u"□", u"口", u"回", u"田", u"■"}, 5},
        {{u"△", u"▲"}, 6},
        {{u"X", u"Ｘ"}, 7},
        {{u"▽", u"▼"}, 8},
        {{u"◇", u"◆"}, 9},
    };
    for (const Row& row : rows)
        for (const QStringView c : row.captions)
            if (caption == c)
                return row.markerClass;
    return 2;
}

MarkerCode markerCodeOf(int markerClass) noexcept
{
    if (markerClass >= 1 && markerClass <= 7)
        return {markerClass, 0};
    if (markerClass == 8)
        return {6, 180};
    if (markerClass == 9)
        return {5, 45};
    return {0, 0};
}

void layoutSxfText(int i, double heightM, SxfTextLines& out)
{
    out.text.clear();
    out.north.clear();
    if (i < 1 || i > kTxtTop)
        return;
    const QString& s = TxtString[i];
    const float x = TxtX[i];
    if (TxtSplit == 0 || !s.contains(u' ')) {
        out.text.push_back(s);
        out.north.push_back(x);
        return;
    }
    int part = 0;
    render::forEachTextLine(s, std::numeric_limits<qsizetype>::max(), [&](QStringView line) {
        ++part;
        if (part <= 10 && TxtLineShow[part] != 0)
            return;
        out.north.push_back(static_cast<float>(x - static_cast<double>(out.text.size()) * heightM));
        out.text.push_back(line);
    });
}

int Txtexserchsxf(int i, const QString& heightText)
{
    SxfTextLines lines;
    layoutSxfText(i, platform::Val(heightText) / 1000.0, lines);
    const int kept = std::min(lines.count(), kTxtLineTop);
    for (int k = 1; k <= kept; ++k) {
        TxtLineStr[k] = lines.text[static_cast<std::size_t>(k - 1)].toString();
        TxtLinePos[k] = lines.north[static_cast<std::size_t>(k - 1)];
    }
    return lines.count();
}

QString sxfNumber(double value)
{
    return platform::Trim(platform::Str(value));
}

QString sxfNumberSingle(float value)
{
    return platform::Trim(platform::StrSingle(value));
}

// ---- the writer: blocks and attributes ---------------------------------------------

namespace {

// A number text, which is ASCII, as bytes.
std::string asciiOf(const QString& numberText)
{
    return numberText.toStdString();
}

SxfHeight heightOf(float settingM)
{
    SxfHeight h;
    const QString text = sxfNumberSingle(settingM * 1000.0F);
    h.text = asciiOf(text);
    h.value = platform::Val(text);
    return h;
}

}  // namespace

SxfWriter::SxfWriter(platform::TextFileWriter& out, const SxfView& view)
    : mOut(out),
      mView(view),
      mMarkH(heightOf(SxfMarkH)),
      mLabelH(heightOf(SxfPointTextH)),
      mTextH(heightOf(SxfTextH)),
      mMarkScale(asciiOf(sxfNumberSingle(SxfMarkH / 2.0F))),
      mLabelOffsetM(static_cast<double>(SxfPointTextH) / 2.0),
      mTextHeightM(mTextH.value / 1000.0)
{
    if (view.markMode == 1) {
        for (int m = 1; m <= 16; ++m)
            mMarkerClass[static_cast<std::size_t>(m)] = sxfMarkerClass(view.symbolCaption[static_cast<std::size_t>(m)]);
    }
}

void SxfWriter::begin(std::string_view featureName)
{
    mLine.clear();
    mLine.reserve(16 + kIntegerBytes + featureName.size());
    mLine.put("/*SXF\r\n#");
    mLine.putInt(mEntity);
    mLine.put('=');
    mLine.put(featureName);
    mLine.put('(');
    mFirstAttribute = true;
}

void SxfWriter::end()
{
    mLine.reserve(16);
    mLine.put(")\r\nSXF*/\r\n\r\n");
    mOut.writeBytes(mLine.view());
    mEntity += 10;
}

void SxfWriter::separate()
{
    if (!mFirstAttribute)
        mLine.put(',');
    mFirstAttribute = false;
}

void SxfWriter::attr(std::int64_t value)
{
    mLine.reserve(3 + kIntegerBytes);
    separate();
    mLine.put('\'');
    mLine.putInt(value);
    mLine.put('\'');
}

void SxfWriter::attrPlain(std::string_view text)
{
    mLine.reserve(3 + text.size());
    separate();
    mLine.put('\'');
    mLine.put(text);
    mLine.put('\'');
}

void SxfWriter::attrCoordinate(double metres)
{
    mLine.reserve(3 + kMillimetreBytes);
    separate();
    mLine.put('\'');
    mLine.putMillimetres(metres);
    mLine.put('\'');
}

void SxfWriter::attrText(QStringView text)
{
    mEscaped.resize(0);
    appendEscaped(mEscaped, text);
    mTextBytes.resize(0);
    platform::appendCp932(mTextBytes, mEscaped);
    mLine.reserve(5 + static_cast<std::size_t>(mTextBytes.size()));
    separate();
    mLine.put("\\'");
    mLine.put(std::string_view(mTextBytes.constData(), static_cast<std::size_t>(mTextBytes.size())));
    mLine.put("\\'");
}

const std::string& SxfWriter::widthText(SxfHeight& height, QStringView text)
{
    const auto bytes = static_cast<std::size_t>(platform::cp932Length(text));
    if (bytes >= height.widthTexts.size())
        height.widthTexts.resize(bytes + 1);
    std::string& cached = height.widthTexts[bytes];
    if (cached.empty())
        cached = asciiOf(sxfNumber(height.value * static_cast<double>(bytes) * 0.5));
    return cached;
}

void SxfWriter::textFeature(int layer, int color, QStringView text, double eastM, double northM,
                            SxfHeight& height, int basePoint)
{
    textFeatureWithWidth(layer, color, text, eastM, northM, height, widthText(height, text), basePoint);
}

void SxfWriter::textFeatureWithWidth(int layer, int color, QStringView text, double eastM, double northM,
                                     const SxfHeight& height, std::string_view width, int basePoint)
{
    begin("text_string_feature");
    attr(layer);
    attr(color);
    attr(1);
    attrText(text);
    attrCoordinate(eastM);
    attrCoordinate(northM);
    attrPlain(height.text);
    attrPlain(width);
    attr(0);
    attr(0);
    attr(0);
    attr(basePoint);
    attr(1);
    end();
}

// ---- head and tail -------------------------------------------------------------------

void SxfWriter::writeHead()
{
    for (const QStringView line : kHead)
        mOut.writeLine(line);
    int entity = 10;
    for (const QStringView name : kColourNames) {
        writeDefinition(mOut, entity, u"pre_defined_colour_feature", name, true);
        entity += 10;
    }
    for (const QStringView name : kLineFontNames) {
        writeDefinition(mOut, entity, u"pre_defined_font_feature", name, true);
        entity += 10;
    }
    for (const QStringView width : kLineWidths) {
        writeDefinition(mOut, entity, u"width_feature", width, false);
        entity += 10;
    }
    for (const QStringView font : kTextFonts) {
        writeDefinition(mOut, entity, u"text_font_feature", font, true);
        entity += 10;
    }
}

void SxfWriter::writeTail()
{
    begin("sfig_org_feature");
    attrText(u"TVX");
    attr(2);
    end();

    begin("sfig_locate_feature");
    attr(0);
    attrText(u"TVX");
    attrPlain(asciiOf(sxfNumber(-DataYMin)));
    attrPlain(asciiOf(sxfNumber(-DataXMin)));
    attr(0);
    attrPlain("0.001");
    attrPlain("0.001");
    end();

    begin("drawing_sheet_feature");
    attrText(u"TVX");
    attr(9);
    attr(1);
    attrPlain(asciiOf(sxfNumber(DataYMax - DataYMin)));
    attrPlain(asciiOf(sxfNumber(DataXMax - DataXMin)));
    end();

    for (const QStringView layer : kLayers) {
        begin("layer_feature");
        attrText(layer);
        attr(1);
        end();
    }
    mOut.writeLine(u"ENDSEC;");
    mOut.writeLine(u"END-ISO-10303-21;");
}

int textLayer(int line) noexcept
{
    return std::min(16 + line, kLastTextLayer);
}

WriteResult writeSxfFile(const QString& path, const SxfView& view)
{
    platform::TextFileWriter out(path);
    SxfWriter writer(out, view);
    writer.writeHead();
    writer.writePoints();
    writer.writeLines();
    writer.writeStrokes();
    writer.writeTexts();
    writer.writeCoordinates();
    writer.writeParcelOutlines();
    writer.writeParcelLabels();
    writer.writeTail();
    return sitetext::commitFile(out, path);
}

}  // namespace tavelcor::sxf
