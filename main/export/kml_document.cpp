// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/kml_document.h"

#include "geodesy/constants.h"
#include "geodesy/plane_rectangular.h"
#include "main/export/kml_labels.h"
#include "main/render/filters.h"
#include "main/render/plot_render.h"
#include "main/render/view_window.h"
#include "main/site/line_length.h"
#include "main/site/tables.h"
#include "platform/system/files.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <QBuffer>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace tavelcor {
namespace {

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";
constexpr QByteArrayView kLineEnd = "\r\n";
constexpr int kInside = 5;  // region code of a position inside the view
constexpr double kNotConverted = -1000.0;  // no longitude is below -180

/// The styles of a folder's point placemarks.
struct PointStyle {
    bool hidden;               ///< "<visibility>0</visibility>" in each placemark
    QByteArrayView scaleLine;  ///< the label scale
    bool emptyIcon;            ///< "<IconStyle><Icon><href></href></Icon></IconStyle>"
};

constexpr PointStyle kCoordinateStyle{true, "<scale>0.75</scale>", false};
constexpr PointStyle kParcelLabelStyle{false, "<scale>0.85</scale>", true};
constexpr PointStyle kPointStyle{true, "<scale>0.75</scale>", false};
constexpr PointStyle kTextStyle{true, "<scale>0.9</scale>", true};
constexpr QByteArrayView kWhiteLabel = "<color>ffffffff</color>";

bool ticked(int value)
{
    return value == 1;
}

// True for the characters XML 1.0 allows: tab, LF, CR, U+0020..U+D7FF,
// U+E000..U+FFFD (surrogate pairs are checked by the caller).
bool xmlAllowed(char16_t c)
{
    return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD);
}

// Writes c in UTF-8 at out; returns the bytes written (1 to 4).
std::size_t putUtf8(char* out, char32_t c)
{
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

// The bytes of the document on their way to the device: gathered in a block
// of 1 MiB that is written out whenever it is full, so the document never
// lies whole in memory.
class Sink {
public:
    explicit Sink(QIODevice& device) : mDevice(device), mBlock(std::make_unique<char[]>(kBlock)) {}
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    void put(QByteArrayView bytes)
    {
        if (bytes.size() > kBlock - mSize) {
            flush();
            if (bytes.size() > kBlock) {
                write(bytes.data(), bytes.size());
                return;
            }
        }
        std::memcpy(mBlock.get() + mSize, bytes.data(), std::size_t(bytes.size()));
        mSize += bytes.size();
    }
    void put(char c)
    {
        room(1)[0] = c;
        ++mSize;
    }

    void putNumber(double value)
    {
        mSize += qsizetype(platform::writePlainNumberText(value, room(platform::kPlainNumberTextMax)));
    }

    /// The text as XML character data (see appendXmlEscaped).
    void putEscaped(QStringView text)
    {
        const qsizetype n = text.size();
        for (qsizetype k = 0; k < n; ++k) {
            const char16_t c = text[k].unicode();
            switch (c) {
            case u'&': put("&amp;"); continue;
            case u'<': put("&lt;"); continue;
            case u'>': put("&gt;"); continue;
            case u'"': put("&quot;"); continue;
            case u'\'': put("&apos;"); continue;
            default: break;
            }
            if (QChar::isHighSurrogate(c) && k + 1 < n && QChar::isLowSurrogate(text[k + 1].unicode())) {
                mSize += qsizetype(putUtf8(room(4), QChar::surrogateToUcs4(c, text[k + 1].unicode())));
                ++k;
            } else if (xmlAllowed(c)) {
                mSize += qsizetype(putUtf8(room(3), c));
            }
        }
    }

    /// Writes out what is gathered; false once any write failed.
    bool flush()
    {
        write(mBlock.get(), mSize);
        mSize = 0;
        return !mFailed;
    }

private:
    static constexpr qsizetype kBlock = qsizetype(1) << 20;

    /// A place for n more bytes (n far below the block's size).
    char* room(std::size_t n)
    {
        if (mSize + qsizetype(n) > kBlock)
            flush();
        return mBlock.get() + mSize;
    }

    void write(const char* data, qsizetype size)
    {
        if (size > 0 && !mFailed && mDevice.write(data, size) != size)
            mFailed = true;
    }

    QIODevice& mDevice;
    std::unique_ptr<char[]> mBlock;
    qsizetype mSize = 0;
    bool mFailed = false;
};

class KmlBuilder {
public:
    KmlBuilder(const KmlInput& input, Sink& out)
        : mIn(input), mView{ViewCX, ViewCY, ViewSpanX, ViewSpanY}, mOut(out)
    {
    }

    /// Writes the document; false when it fails (too many entries, a
    /// position without degrees, a failed write).
    bool build()
    {
        mOut.put(kByteOrderMark);
        header();
        simaPoints();
        parcelEdges();
        parcelLabels();
        points();
        lines();
        texts();
        overlay();
        return mOut.flush() && !mFailed;
    }

private:
    // ---- entries ---------------------------------------------------------------

    /// Takes the next entry of the table; false (and the document fails)
    /// when the table is full or the document failed already.
    bool nextEntry()
    {
        if (mFailed)
            return false;
        if (mEntry == kKmlEntryTop) {
            mFailed = true;
            return false;
        }
        ++mEntry;
        return true;
    }

    /// Several whole lines at once (each with its CR LF), count entries.
    void lines(QByteArrayView text, int count)
    {
        if (mFailed)
            return;
        if (mEntry > kKmlEntryTop - count) {
            mFailed = true;
            return;
        }
        mEntry += count;
        mOut.put(text);
    }

    void line(QByteArrayView text)
    {
        if (!nextEntry())
            return;
        mOut.put(text);
        mOut.put(kLineEnd);
    }

    /// One line of the form open + escaped text + close.
    void textLine(QByteArrayView open, QStringView text, QByteArrayView close)
    {
        if (!nextEntry())
            return;
        mOut.put(open);
        mOut.putEscaped(text);
        mOut.put(close);
        mOut.put(kLineEnd);
    }

    // ---- positions ---------------------------------------------------------------

    /// Longitude and latitude in decimal degrees of an absolute plane
    /// position; false (and the document fails) when they are not finite.
    ///
    /// The degrees come straight from the inverse series. Going through
    /// packed degrees-minutes-seconds and back would add 1e-7 degree and,
    /// worse, carry seconds from 59.94 up to the next whole minute (the
    /// packing rounds the minutes up within 0.001 minute): up to 0.06
    /// second, about 1.8 m, off the land.
    bool degrees(double x, double y, double& longitude, double& latitude)
    {
        const geodesy::LatLonRad angles = geodesy::XYtoBLRad(x, y, ZoneNo);
        latitude = angles.latitude * 180.0 / geodesy::kPi;
        longitude = angles.longitude * 180.0 / geodesy::kPi;
        if (std::isfinite(latitude) && std::isfinite(longitude))
            return true;
        mFailed = true;
        return false;
    }

    /// "longitude,latitude,0" of an absolute plane position.
    bool appendTuple(double x, double y)
    {
        double longitude = 0.0;
        double latitude = 0.0;
        if (!degrees(x, y, longitude, latitude))
            return false;
        putTuple(longitude, latitude);
        return true;
    }

    void putTuple(double longitude, double latitude)
    {
        mOut.putNumber(longitude);
        mOut.put(',');
        mOut.putNumber(latitude);
        mOut.put(",0");
    }

    /// appendTuple of coordinate n's plot position, each coordinate
    /// converted once per document: parcels share their vertices.
    bool appendVertexTuple(int n)
    {
        if (mVertexDegrees.empty())
            mVertexDegrees.assign(std::size_t(kZahyoTop + 1), {kNotConverted, 0.0});
        auto& [longitude, latitude] = mVertexDegrees[std::size_t(n)];
        if (longitude == kNotConverted && !degrees(ZahyoPX[n] + OriginX, ZahyoPY[n] + OriginY, longitude, latitude))
            return false;
        putTuple(longitude, latitude);
        return true;
    }

    bool inside(double x, double y) const
    {
        return render::regionCode(x, y, mView, render::kWideWindowFactor) == kInside;
    }

    // ---- placemarks ------------------------------------------------------------

    void pointPlacemark(QStringView label, double x, double y, const PointStyle& style,
                        QByteArrayView colorLine)
    {
        line("<Placemark>");
        textLine("<name>", label, "</name>");
        if (style.hidden)
            line("<visibility>0</visibility>");
        line("<Point>");
        line("<altitudeMode>clampToGround</altitudeMode>");
        if (nextEntry()) {
            mOut.put("<coordinates>");
            if (appendTuple(x, y))
                mOut.put("</coordinates>\r\n");
        }
        line("</Point>");
        line("<Style>");
        line("<LabelStyle>");
        line(colorLine);
        line(style.scaleLine);
        line("</LabelStyle>");
        if (style.emptyIcon)
            line("<IconStyle><Icon><href></href></Icon></IconStyle>");
        line("</Style>");
        line("</Placemark>");
    }

    /// The lines of a line-string placemark after its coordinates: the
    /// folder's style line between "</LineString>" and "</Placemark>".
    static QByteArray lineStringTail(const QByteArray& styleLine)
    {
        return "</LineString>\r\n" + styleLine + "\r\n</Placemark>\r\n";
    }

    /// A line-string placemark from end A to end B, written by the two
    /// tuple writers; tail from lineStringTail.
    template <typename WriteA, typename WriteB>
    void lineStringPlacemark(WriteA writeA, WriteB writeB, QByteArrayView tail)
    {
        lines("<Placemark>\r\n<LineString>\r\n<altitudeMode>clampToGround</altitudeMode>\r\n", 3);
        if (nextEntry()) {
            mOut.put("<coordinates>");
            if (writeA()) {
                mOut.put(' ');
                if (writeB())
                    mOut.put("</coordinates>\r\n");
            }
        }
        lines(tail, 3);
    }

    void openFolder(QByteArrayView nameLine, bool hidden)
    {
        line("<Folder>");
        line(nameLine);
        if (hidden)
            line("<visibility>0</visibility>");
    }

    // ---- the document --------------------------------------------------------------

    void header()
    {
        if (!nextEntry())
            return;
        mOut.put(mIn.header.toUtf8());
        mOut.put(kLineEnd);
        double longitude = 0.0;
        double latitude = 0.0;
        if (!degrees(ViewCX, ViewCY, longitude, latitude))
            return;
        line("<LookAt>");
        numberLine("<longitude>", longitude, "</longitude><!--初期画面中心経度-->");
        numberLine("<latitude>", latitude, "</latitude><!--初期画面中心緯度-->");
        line("<altitude>0</altitude><!--0固定-->");
        line("<heading>0</heading><!--方位0固定-->");
        line("<tilt>0</tilt><!--上下の向き0固定-->");
        numberLine("<range>", ViewSpanY, "</range><!--初期表示幅-->");
        line("<gx:altitudeMode>relativeToSeaFloor</gx:altitudeMode><!--地面を基準にアイコンを配置-->");
        line("</LookAt>");
    }

    void numberLine(QByteArrayView open, double value, QByteArrayView close)
    {
        if (!nextEntry())
            return;
        mOut.put(open);
        mOut.putNumber(value);
        mOut.put(close);
        mOut.put(kLineEnd);
    }

    /// The first pass of a folder with a limit: the items 1..top that
    /// qualify, in order; the count stops at the first item past the limit.
    struct Marked {
        std::vector<int> items;
        long count = 0;
    };

    template <typename Qualifies>
    static Marked firstPass(int top, long limit, Qualifies qualifies)
    {
        Marked marked;
        for (int i = 1; i <= top; ++i) {
            if (!qualifies(i))
                continue;
            if (++marked.count > limit)
                break;
            marked.items.push_back(i);
        }
        return marked;
    }

    /// A folder of point placemarks, one per item, written by placemark(i).
    template <typename Placemark>
    void pointFolder(QByteArrayView nameLine, bool hidden, const std::vector<int>& items, Placemark placemark)
    {
        openFolder(nameLine, hidden);
        for (const int i : items) {
            if (mFailed)
                return;
            placemark(i);
        }
        line("</Folder>");
    }

    // SIMA測点: the coordinates in view, unless more than PointLimit.
    void simaPoints()
    {
        const Marked marked = firstPass(std::min<int>(ZahyoMax, kZahyoTop), PointLimit, [](int i) {
            return !render::hiddenCoordinateName(ZahyoName[i]) && render::hantei(i) == kInside;
        });
        if (marked.count > PointLimit)
            return;
        pointFolder("<name>SIMA測点</name>", true, marked.items, [this](int i) {
            pointPlacemark(coordinateLabel(i), ZahyoX[i], ZahyoY[i], kCoordinateStyle, kWhiteLabel);
        });
    }

    QString coordinateLabel(int i) const
    {
        const KmlSwitches& s = mIn.switches;
        if (!ticked(s.check17) || (ZahyoUsed[i] == 1 && s.check3 != 0))
            return {};
        const bool numbers = ticked(s.check1);
        const bool names = ticked(s.check2);
        const bool numbersClear = s.check1 == 0;
        const bool namesClear = s.check2 == 0;
        if ((numbers && names) || (numbers && namesClear) || (numbersClear && names))
            return render::coordinateLabel(i, ZahyoName[i], numbers, names);
        return {};
    }

    // SIMA結線: every parcel edge that may cross the view.
    void parcelEdges()
    {
        const int c = KakuchiColor == 8 ? 4 : KakuchiColor;
        if (KakuchiCount <= 0 || KakuchiColor < 0 || KakuchiColor > kColorTableTop ||
            LineColorShown[KakuchiColor] != 1)
            return;
        const QByteArray plain = lineStringTail(parcelStyleLine(c, false));
        const QByteArray selected = lineStringTail(parcelStyleLine(c, true));
        openFolder("<name>SIMA結線</name>", false);
        for (int p = 1; p <= KakuchiCount && !mFailed; ++p)
            parcelOutline(p, KakuchiSel[p] == 1 ? selected : plain);
        line("</Folder>");
    }

    static QByteArray parcelStyleLine(int c, bool selected)
    {
        const int width = LineWidthOf[c];
        const QString w = selected ? platform::Str(width + 5) : QString::number(width);
        return QByteArrayLiteral("<Style><LineStyle><color> ") + Colr(c).toLatin1() + "</color><width>" +
               w.toLatin1() + "</width></LineStyle></Style>";
    }

    static bool validVertexSlot(long k)
    {
        return k >= 0 && k <= kKakuchiVertexTop && KakuchiVertex[k] >= 0 && KakuchiVertex[k] <= kZahyoTop;
    }

    void edge(int from, int to, QByteArrayView tail)
    {
        lineStringPlacemark([&] { return appendVertexTuple(from); }, [&] { return appendVertexTuple(to); }, tail);
    }

    // The edges of parcel p that may cross the view, with the region code of
    // each vertex taken once; an edge touching a vertex slot or number
    // outside its table is passed over.
    void parcelOutline(int p, QByteArrayView tail)
    {
        const long first = KakuchiFirst[p];
        const long last = KakuchiLast[p];
        if (first > last || !validVertexSlot(first) || !validVertexSlot(last))
            return;
        const int firstCode = render::hantei(KakuchiVertex[first]);
        int previous = firstCode;
        for (long k = first + 1; k <= last && !mFailed; ++k) {
            if (!validVertexSlot(k)) {
                previous = -1;
                continue;
            }
            const int code = render::hantei(KakuchiVertex[k]);
            if (previous >= 0 && hantei2(previous, code) == 1)
                edge(KakuchiVertex[k - 1], KakuchiVertex[k], tail);
            previous = code;
        }
        if (KakuchiName[p] != mOpenFigure && hantei2(previous, firstCode) == 1)
            edge(KakuchiVertex[last], KakuchiVertex[first], tail);
    }

    // SIMA地番: the labels of the closed parcels in view; no limit.
    void parcelLabels()
    {
        if (KakuchiCount <= 0 || !ticked(mIn.switches.check6))
            return;
        const Marked marked = firstPass(KakuchiCount, kKakuchiCountLimit, [this](int p) {
            return KakuchiName[p] != mOpenFigure && inside(KakuchiLabelX[p] + OriginX, KakuchiLabelY[p] + OriginY);
        });
        pointFolder("<name>SIMA地番</name>", false, marked.items, [this](int p) {
            pointPlacemark(parcelLabel(p), KakuchiLabelX[p] + OriginX, KakuchiLabelY[p] + OriginY,
                           kParcelLabelStyle, kWhiteLabel);
        });
    }

    static QString parcelLabel(int p)
    {
        QString label = KakuchiName[p] + u' ';
        for (int c = 2; c <= 10; ++c) {
            if (KakuchiAttrShow[c] == 0)
                label += KakuchiAttr(p, c) + u' ';
        }
        return label;
    }

    // POINT: the observation points in view, unless more than PointLimit.
    void points()
    {
        if (PointCount <= 0 || !ticked(mIn.switches.check12))
            return;
        const Marked marked = firstPass(std::min<int>(PointCount, kPointTop), PointLimit, [this](int i) {
            return PointMark[i] != 0 && PointMark[i] < 100 && inside(PointX[i] + OriginX, PointY[i] + OriginY) &&
                   mIn.pointShown && mIn.pointShown(i);
        });
        if (marked.count > PointLimit)
            return;
        pointFolder("<name>POINT</name>", true, marked.items, [this](int i) {
            pointPlacemark(PointName[i], PointX[i] + OriginX, PointY[i] + OriginY, kPointStyle, kWhiteLabel);
        });
    }

    // LINE: every shown line that may cross the visible picture.
    void lines()
    {
        if (LineNext <= 1 || !ticked(mIn.switches.check13))
            return;
        Redrawn = 1;
        const double left = mIn.scaleLeft;
        const double top = mIn.scaleTop;
        const float right = static_cast<float>(left + ViewSpanY);
        const double bottom = top + ViewSpanX;
        openFolder("<name>LINE</name>", false);
        const int last = lastLineIndex();
        // The closing lines, with the style line, of each colour a shown line
        // can have.
        std::array<QByteArray, kColorTableTop + 1> styles;
        for (int c = 0; c <= kColorTableTop; ++c)
            styles[std::size_t(c)] = lineStringTail(QByteArrayLiteral("<Style><LineStyle><color>") +
                                                    Colr(c).toLatin1() + "</color><width>" +
                                                    QByteArray::number(LineWidthOf[c]) +
                                                    "</width></LineStyle></Style>");
        for (int i = 1; i <= last && !mFailed; ++i) {
            const int c = LineColor[i];
            // A line without length (the empty entry 1 of a map XML site)
            // is no line: it would be a placemark at the zone origin.
            if (c > 99 || !LineShown(i) || c > kColorTableTop || lineWithoutLength(i))
                continue;
            const double x1 = LineX1[i], y1 = LineY1[i], x2 = LineX2[i], y2 = LineY2[i];
            if ((-x1 < top && -x2 < top) || (-x1 > bottom && -x2 > bottom) || (y1 < left && y2 < left) ||
                (static_cast<float>(y1) > right && static_cast<float>(y2) > right))
                continue;
            lineStringPlacemark([&] { return appendTuple(x1 + OriginX, y1 + OriginY); },
                                [&] { return appendTuple(x2 + OriginX, y2 + OriginY); }, styles[std::size_t(c)]);
        }
        line("</Folder>");
    }

    // TEXT: the shown or selected texts in view, when fewer than TxtLimit.
    void texts()
    {
        if (TxtCount <= 0 || !ticked(mIn.switches.check15))
            return;
        const Marked marked = firstPass(std::min<int>(TxtCount, kTxtTop), TxtLimit, [this](int i) {
            return (TextShown(i) || TxtSel[i] == 1) &&
                   (!platform::trimmedView(TxtString[i]).isEmpty() || TxtColor[i] < 21) &&
                   inside(TxtX[i] + OriginX, TxtY[i] + OriginY);
        });
        // Unlike the points, exactly TxtLimit texts give no folder.
        if (marked.count >= TxtLimit)
            return;
        pointFolder("<name>TEXT</name>", true, marked.items, [this](int i) {
            const QByteArray colorLine = "<color>" + Colr(TxtColor[i]).toLatin1() + "</color>";
            pointPlacemark(Txtkml(i), TxtX[i] + OriginX, TxtY[i] + OriginY, kTextStyle, colorLine);
        });
    }

    void overlay()
    {
        line("<GroundOverlay>");
        textLine("<Icon> <href>", QString(WorkFolder + QStringLiteral("/WHITE.BMP")), "</href> </Icon>");
        line("<name>明るく</name>");
        line("<visibility>0</visibility>");
        line("<color>70C0C0C0</color>");
        line("<LatLonBox>");
        line("<north>25</north>");
        line("<south>45</south>");
        line("<east>120</east>");
        line("<west>150</west>");
        line("<rotation>0</rotation>");
        line("</LatLonBox>");
        line("</GroundOverlay>");
        line("</Folder>");
        if (nextEntry())
            mOut.put("</kml>");
    }

    const KmlInput& mIn;
    const render::ViewWindow mView;
    const QString mOpenFigure = openFigureName();
    Sink& mOut;
    /// Longitude and latitude of each coordinate number used as a parcel
    /// vertex, once converted (kNotConverted before).
    std::vector<std::pair<double, double>> mVertexDegrees;
    int mEntry = 0;
    bool mFailed = false;
};

}  // namespace

void appendXmlEscaped(QByteArray& out, QStringView text)
{
    QBuffer buffer(&out);
    buffer.open(QIODevice::Append);
    Sink sink(buffer);
    sink.putEscaped(text);
    sink.flush();
}

bool writeKmlDocument(const KmlInput& input, QIODevice& device)
{
    Sink sink(device);
    return KmlBuilder(input, sink).build();
}

std::optional<QByteArray> buildKmlDocument(const KmlInput& input)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeKmlDocument(input, buffer))
        return std::nullopt;
    buffer.close();
    return bytes;
}

bool saveKmlDocument(const QString& path, const KmlInput& input)
{
    return platform::writeFileAtomically(path, [&input](QIODevice& device) { return writeKmlDocument(input, device); });
}

}  // namespace tavelcor
