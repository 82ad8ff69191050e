// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Builders that put a small site into the shared tables for the drawing
// tests: coordinates, parcels, points, lines, texts and strokes, in plot
// coordinates (metres north and east of the site origin OriginX, OriginY).

#include "main/site/tables.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace tavelcor::render::testing_support {

/// Coordinate `n` at plot coordinate (px, py); ZahyoMax grows to take it.
inline void addCoordinate(int n, const QString& name, double px, double py)
{
    ZahyoName[n] = name;
    ZahyoX[n] = px + OriginX;
    ZahyoY[n] = py + OriginY;
    ZahyoPX[n] = px;
    ZahyoPY[n] = py;
    if (n > ZahyoMax)
        ZahyoMax = n;
}

/// A parcel over existing coordinate numbers; returns its number. Slots are
/// taken from slot 0 on, as the site readers take them.
inline int addParcel(const QString& name, const std::vector<int>& vertices)
{
    const int i = ++KakuchiCount;
    const int first = i == 1 ? 0 : KakuchiLast[i - 1] + 1;
    for (std::size_t k = 0; k < vertices.size(); ++k) {
        KakuchiVertex[first + static_cast<int>(k)] = vertices[k];
        ZahyoUsed[vertices[k]] = 1;
    }
    KakuchiFirst[i] = first;
    KakuchiLast[i] = first + static_cast<int>(vertices.size()) - 1;
    KakuchiName[i] = name;
    return i;
}

/// A square parcel over four new coordinates numbered from `firstNumber`,
/// corners (s, w) and (n, e) in plot coordinates, its label point at the
/// centre; returns its number.
inline int addSquare(int firstNumber, double s, double w, double n, double e, const QString& name)
{
    addCoordinate(firstNumber, QStringLiteral("C%1").arg(firstNumber), s, w);
    addCoordinate(firstNumber + 1, QStringLiteral("C%1").arg(firstNumber + 1), n, w);
    addCoordinate(firstNumber + 2, QStringLiteral("C%1").arg(firstNumber + 2), n, e);
    addCoordinate(firstNumber + 3, QStringLiteral("C%1").arg(firstNumber + 3), s, e);
    const int i = addParcel(name, {firstNumber, firstNumber + 1, firstNumber + 2, firstNumber + 3});
    KakuchiLabelX[i] = static_cast<float>((s + n) / 2);
    KakuchiLabelY[i] = static_cast<float>((w + e) / 2);
    return i;
}

/// The next point; returns its number.
inline int addPoint(const QString& name, const QString& name2, double px, double py, int mark)
{
    const int i = ++PointCount;
    PointName[i] = name;
    PointName2[i] = name2;
    PointX[i] = px;
    PointY[i] = py;
    PointMark[i] = static_cast<std::uint8_t>(mark);
    return i;
}

/// The next line, colour `color` (QBColor number); returns its number.
inline int addLine(double x1, double y1, double x2, double y2, int color)
{
    const int i = LineNext++;
    LineX1[i] = x1;
    LineY1[i] = y1;
    LineX2[i] = x2;
    LineY2[i] = y2;
    LineColor[i] = static_cast<std::uint8_t>(color);
    return i;
}

/// The next text, colour `color` (QBColor number); returns its number.
inline int addText(const QString& text, double px, double py, int color = 0)
{
    const int i = ++TxtCount;
    TxtString[i] = text;
    TxtX[i] = static_cast<float>(px);
    TxtY[i] = static_cast<float>(py);
    TxtColor[i] = static_cast<std::uint8_t>(color);
    return i;
}

/// The next vertex of the hand-drawn strokes.
inline void addStrokeVertex(double px, double py, int color, int pen)
{
    const int i = ++TegakiCount;
    TegakiX[i] = static_cast<float>(px);
    TegakiY[i] = static_cast<float>(py);
    TegakiColor[i] = static_cast<std::uint8_t>(color);
    TegakiPen[i] = static_cast<std::uint8_t>(pen);
}

}  // namespace tavelcor::render::testing_support
