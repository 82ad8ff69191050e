// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/survey_marks.h"

#include "geodesy/format_fixed.h"
#include "main/render/plot_face.h"
#include "main/render/plot_painter.h"
#include "main/render/plot_render.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/text/strings.h"

#include <algorithm>

namespace tavelcor {

namespace {

constexpr int kBlue = 9;
constexpr int kMagenta = 13;
constexpr int kNavy = 1;
constexpr int kNameColumns = 14;
constexpr int kMostWideCounted = 7;

bool isCoordinate(int n)
{
    return n >= 0 && n <= kZahyoTop;
}

// A pick that the chain of marks may go on with: above 0, a coordinate and
// not an elevation profile sample.
bool markable(int n)
{
    return n > 0 && isCoordinate(n) && ZahyoName[n] != u"n_p_m";
}

QString fixed(double value, int width, int decimals)
{
    return QString::fromStdString(geodesy::FormatFixed(value, width, decimals));
}

// The number, the name filled to 14 display columns and the blanks around.
QString numberAndName(int a)
{
    const QString name = platform::Trim(ZahyoName[a]).left(kNameColumns);
    const int wide = std::min(CountWide(name).wide, kMostWideCounted);
    const QString filled = (name + QString(kNameColumns - 1, QLatin1Char(' '))).left(kNameColumns - wide);
    return fixed(a, a >= 100000 ? 6 : 5, 0) + QLatin1Char(' ') + filled + QLatin1Char(' ');
}

}  // namespace

void stblueplot(render::PlotFace& face)
{
    platform::Canvas& picture = face.picture();
    picture.setForeColor(platform::QBColor(kBlue));
    if (CalcPick1 > 0) {
        Stblueplot2(face, CalcPick1);
        if (markable(CalcPick2)) {
            Stblueplot2(face, CalcPick2);
            if (markable(CalcPick3))
                Stblueplot2(face, CalcPick3);
        }
    }
    picture.setForeColor(platform::QBColor(0));
}

void linedraw(render::PlotFace& face)
{
    render::PlotPainter painter(face.picture());
    painter.setDrawWidth(2);
    // One line between two entries of the pick list; an entry that is no
    // coordinate skips this line only.
    const auto join = [&painter](int from, int to, int colorIndex) {
        if (from < 1 || to > kCalcPickListTop)
            return;
        const int a = CalcPickList[from];
        const int b = CalcPickList[to];
        if (!isCoordinate(a) || !isCoordinate(b))
            return;
        painter.line(ZahyoPY[a], -ZahyoPX[a], ZahyoPY[b], -ZahyoPX[b], platform::QBColor(colorIndex));
    };
    if (RclickMode == 34) {
        if (CalcPickCount == 2 || CalcPickCount == 3) {
            join(1, 2, kMagenta);
        } else if (CalcPickCount == 5) {
            join(1, 2, kMagenta);
            join(3, 4, kMagenta);
        }
    } else if (CalcPickCount > 1) {
        const int last = std::min<int>(CalcPickCount, kCalcPickListTop);
        for (int i = 1; i < last; ++i)
            join(i, i + 1, kMagenta);
        if (RclickMode == 3 && CalcPickCount == 4)
            join(1, 3, kNavy);
    }
    painter.setDrawWidth(1);
}

QString zahyodispText(int a, const ZahyoLineSwitches& switches)
{
    if (!isCoordinate(a))
        return {};
    QString line;
    if (a > 0)
        line = numberAndName(a);
    else if (RclickMode == 3)
        line = QStringLiteral("直交点  ");
    line += QStringLiteral("X=") + fixed(ZahyoX[a], 11, 3) + QStringLiteral(" Y=") + fixed(ZahyoY[a], 11, 3);
    if (ZahyoH[a] != 0.0 && switches.fourPointChosen && switches.heightSwitch == 1)
        line += QStringLiteral(" Z=") + fixed(ZahyoH[a], 8, 3);
    return line;
}

QString zahyodisp(const Plot& window, int a)
{
    return zahyodispText(a, ZahyoLineSwitches{window.Option34.Value(), window.Check10.Value()});
}

}  // namespace tavelcor
