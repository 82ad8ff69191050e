// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/export/kml_document.h"

#include "geodesy/constants.h"
#include "geodesy/plane_rectangular.h"
#include "main/export/kml_labels.h"
#include "main/render/filters.h"
#include "main/render/plot_render.h"
#include "main/render/view_window.h"
#include "main/site/tables.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tavelcor {
namespace {

constexpr QByteArrayView kByteOrderMark = "\xEF\xBB\xBF";
constexpr QByteArrayView kLineEnd = "\r\n";
constexpr int kInside = 5;  // region code of a position inside the view

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

class KmlBuilder {
public:
    explicit KmlBuilder(const KmlInput& input)
        : mIn(input), mView{ViewCX, ViewCY, ViewSpanX, ViewSpanY}
    {
    }

    std::optional<QByteArray> build()
    {
        mOut.reserve(1 << 20);
        mOut += kByteOrderMark;
        header();
        simaPoints();
        parcelEdges();
        parcelLabels();
        points();
        lines();
        texts();
        overlay();
        if (mFailed)
            return std::nullopt;
        return std::move(mOut);
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

    void line(QByteArrayView text)
    {
        if (!nextEntry())
            return;
        mOut += text;
        mOut += kLineEnd;
    }

    /// One line of the form open + escaped text + close.
    void textLine(QByteArrayView open, QStringView text, QByteArrayView close)
    {
        if (!nextEntry())
            return;
        mOut += open;
        appendXmlEscaped(mOut, text);
        mOut += close;
        mOut += kLineEnd;
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
        platform::appendPlainNumberText(mOut, longitude);
        mOut += ',';
        platform::appendPlainNumberText(mOut, latitude);
        mOut += ",0";
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
            mOut += "<coordinates>";
            if (appendTuple(x, y))
                mOut += "</coordinates>\r\n";
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

    void lineStringPlacemark(double xa, double ya, double xb, double yb, QByteArrayView styleLine)
    {
        line("<Placemark>");
        line("<LineString>");
        line("<altitudeMode>clampToGround</altitudeMode>");
        if (nextEntry()) {
            mOut += "<coordinates>";
            if (appendTuple(xa, ya)) {
                mOut += ' ';
                if (appendTuple(xb, yb))
                    mOut += "</coordinates>\r\n";
            }
        }
        line("</LineString>");
        line(styleLine);
        line("</Placemark>");
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
        mOut += mIn.header.toUtf8();
        mOut += kLineEnd;
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
        mOut += open;
        platform::appendPlainNumberText(mOut, value);
        mOut += close;
        mOut += kLineEnd;
    }

    // SIMA測点: the coordinates in view, unless more than PointLimit.
    void simaPoints()
    {
        const int top = std::min<int>(ZahyoMax, kZahyoTop);
        std::vector<int> marked;
        marked.reserve(static_cast<std::size_t>(std::clamp(PointLimit, 0, std::max(top, 0))));
        long count = 0;
        for (int i = 1; i <= top; ++i) {
            if (render::hiddenCoordinateName(ZahyoName[i]) || render::hantei(i) != kInside)
                continue;
            if (++count > PointLimit)
                break;
            marked.push_back(i);
        }
        if (count > PointLimit)
            return;
        openFolder("<name>SIMA測点</name>", true);
        for (const int i : marked) {
            if (mFailed)
                return;
            pointPlacemark(coordinateLabel(i), ZahyoX[i], ZahyoY[i], kCoordinateStyle, kWhiteLabel);
        }
        line("</Folder>");
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
        const QByteArray plain = parcelStyleLine(c, false);
        const QByteArray selected = parcelStyleLine(c, true);
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

    void edge(int from, int to, QByteArrayView style)
    {
        if (hantei2(render::hantei(from), render::hantei(to)) != 1)
            return;
        lineStringPlacemark(ZahyoPX[from] + OriginX, ZahyoPY[from] + OriginY, ZahyoPX[to] + OriginX,
                            ZahyoPY[to] + OriginY, style);
    }

    void parcelOutline(int p, QByteArrayView style)
    {
        const long first = KakuchiFirst[p];
        const long last = KakuchiLast[p];
        if (first > last || !validVertexSlot(first) || !validVertexSlot(last))
            return;
        for (long k = first + 1; k <= last && !mFailed; ++k) {
            if (validVertexSlot(k - 1) && validVertexSlot(k))
                edge(KakuchiVertex[k - 1], KakuchiVertex[k], style);
        }
        if (KakuchiName[p] != openFigureName())
            edge(KakuchiVertex[last], KakuchiVertex[first], style);
    }

    // SIMA地番: the labels of the closed parcels in view.
    void parcelLabels()
    {
        if (KakuchiCount <= 0 || !ticked(mIn.switches.check6))
            return;
        std::vector<int> marked;
        for (int p = 1; p <= KakuchiCount; ++p) {
            if (KakuchiName[p] != openFigureName() &&
                inside(KakuchiLabelX[p] + OriginX, KakuchiLabelY[p] + OriginY))
                marked.push_back(p);
        }
        openFolder("<name>SIMA地番</name>", false);
        for (const int p : marked) {
            if (mFailed)
                return;
            pointPlacemark(parcelLabel(p), KakuchiLabelX[p] + OriginX, KakuchiLabelY[p] + OriginY,
                           kParcelLabelStyle, kWhiteLabel);
        }
        line("</Folder>");
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
        const int top = std::min<int>(PointCount, kPointTop);
        std::vector<int> marked;
        long count = 0;
        for (int i = 1; i <= top; ++i) {
            const int mark = PointMark[i];
            if (mark == 0 || mark >= 100 || !inside(PointX[i] + OriginX, PointY[i] + OriginY) ||
                !(mIn.pointShown && mIn.pointShown(i)))
                continue;
            if (++count > PointLimit)
                break;
            marked.push_back(i);
        }
        if (count > PointLimit)
            return;
        openFolder("<name>POINT</name>", true);
        for (const int i : marked) {
            if (mFailed)
                return;
            pointPlacemark(PointName[i], PointX[i] + OriginX, PointY[i] + OriginY, kPointStyle, kWhiteLabel);
        }
        line("</Folder>");
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
        const int last = std::min(LineNext - 1, kLineTop);
        // The style line of each colour a shown line can have.
        std::array<QByteArray, kColorTableTop + 1> styles;
        for (int c = 0; c <= kColorTableTop; ++c)
            styles[std::size_t(c)] = QByteArrayLiteral("<Style><LineStyle><color>") + Colr(c).toLatin1() +
                                     "</color><width>" + QByteArray::number(LineWidthOf[c]) +
                                     "</width></LineStyle></Style>";
        for (int i = 1; i <= last && !mFailed; ++i) {
            const int c = LineColor[i];
            if (c > 99 || !LineShown(i) || c > kColorTableTop)
                continue;
            const double x1 = LineX1[i], y1 = LineY1[i], x2 = LineX2[i], y2 = LineY2[i];
            if ((-x1 < top && -x2 < top) || (-x1 > bottom && -x2 > bottom) || (y1 < left && y2 < left) ||
                (static_cast<float>(y1) > right && static_cast<float>(y2) > right))
                continue;
            lineStringPlacemark(x1 + OriginX, y1 + OriginY, x2 + OriginX, y2 + OriginY, styles[std::size_t(c)]);
        }
        line("</Folder>");
    }

    // TEXT: the shown or selected texts in view, when fewer than TxtLimit.
    void texts()
    {
        if (TxtCount <= 0 || !ticked(mIn.switches.check15))
            return;
        const int top = std::min<int>(TxtCount, kTxtTop);
        std::vector<int> marked;
        long count = 0;
        for (int i = 1; i <= top; ++i) {
            if (!(TextShown(i) || TxtSel[i] == 1) ||
                !(!platform::trimmedView(TxtString[i]).isEmpty() || TxtColor[i] < 21) ||
                !inside(TxtX[i] + OriginX, TxtY[i] + OriginY))
                continue;
            if (++count > TxtLimit)
                break;
            marked.push_back(i);
        }
        if (count >= TxtLimit)
            return;
        openFolder("<name>TEXT</name>", true);
        for (const int i : marked) {
            if (mFailed)
                return;
            const QByteArray colorLine = "<color>" + Colr(TxtColor[i]).toLatin1() + "</color>";
            pointPlacemark(Txtkml(i), TxtX[i] + OriginX, TxtY[i] + OriginY, kTextStyle, colorLine);
        }
        line("</Folder>");
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
            mOut += "</kml>";
    }

    const KmlInput& mIn;
    const render::ViewWindow mView;
    QByteArray mOut;
    int mEntry = 0;
    bool mFailed = false;
};

// True for the characters XML 1.0 allows: tab, LF, CR, U+0020..U+D7FF,
// U+E000..U+FFFD (surrogate pairs are checked by the caller).
bool xmlAllowed(char16_t c)
{
    return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD);
}

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

void appendXmlEscaped(QByteArray& out, QStringView text)
{
    const qsizetype n = text.size();
    for (qsizetype k = 0; k < n; ++k) {
        const char16_t c = text[k].unicode();
        switch (c) {
        case u'&': out += "&amp;"; continue;
        case u'<': out += "&lt;"; continue;
        case u'>': out += "&gt;"; continue;
        case u'"': out += "&quot;"; continue;
        case u'\'': out += "&apos;"; continue;
        default: break;
        }
        if (QChar::isHighSurrogate(c) && k + 1 < n && QChar::isLowSurrogate(text[k + 1].unicode())) {
            appendUtf8(out, QChar::surrogateToUcs4(c, text[k + 1].unicode()));
            ++k;
        } else if (xmlAllowed(c)) {
            appendUtf8(out, c);
        }
    }
}

std::optional<QByteArray> buildKmlDocument(const KmlInput& input)
{
    return KmlBuilder(input).build();
}

}  // namespace tavelcor
