// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/coordinate_keyin.h"

#include "geodesy/format_fixed.h"
#include "main/site/tables.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <cmath>
#include <utility>

namespace tavelcor {

namespace {

const QString kFreeName = QStringLiteral("_?>");

QString fixed(double value, int width)
{
    return QString::fromStdString(geodesy::FormatFixed(value, width, 3));
}

}  // namespace

std::variant<int, KeyInNumberFault> readKeyInNumber(const QString& text)
{
    const double n = platform::roundHalfEven(platform::Val(text));
    if (n > kKeyInNumberMax)
        return KeyInNumberFault::AboveRange;
    if (n < 1.0)
        return KeyInNumberFault::BelowRange;
    return static_cast<int>(n);
}

QString keyInNumberMessage(KeyInNumberFault fault)
{
    return fault == KeyInNumberFault::AboveRange ? QStringLiteral("登録番号は５０万番以内です")
                                                 : QStringLiteral("登録番号は１番以上です");
}

bool coordinateInUse(int n)
{
    return n >= 1 && n <= kZahyoTop && std::as_const(ZahyoName)[n] != kFreeName;
}

KeyInFields coordinateFields(int n)
{
    if (n < 0 || n > kZahyoTop)
        return {};
    return {std::as_const(ZahyoName)[n], fixed(std::as_const(ZahyoX)[n], 11), fixed(std::as_const(ZahyoY)[n], 11),
            fixed(std::as_const(ZahyoH)[n], 8)};
}

bool keyInChangesEntry(int n, const KeyInFields& fields)
{
    if (n < 1 || n > kZahyoTop)
        return true;
    return platform::Trim(fields.name) != platform::Trim(std::as_const(ZahyoName)[n])
           || platform::Val(fields.x) != std::as_const(ZahyoX)[n]
           || platform::Val(fields.y) != std::as_const(ZahyoY)[n]
           || platform::Val(fields.z) != std::as_const(ZahyoH)[n];
}

QString keyInOverwriteQuestion(int n)
{
    const QString name = n >= 0 && n <= kZahyoTop ? std::as_const(ZahyoName)[n] : QString();
    return QStringLiteral("すでに") + QString::number(n) + u':' + name
           + QStringLiteral("が登録されています。上書きしますか？");
}

bool storeKeyedCoordinate(int n, const KeyInFields& fields)
{
    if (n < 1 || n > kKeyInNumberMax)
        return false;
    ZahyoDirty = 1;
    ZahyoName[n] = fields.name;
    ZahyoX[n] = platform::Val(fields.x);
    ZahyoY[n] = platform::Val(fields.y);
    ZahyoH[n] = platform::Val(fields.z);
    ZahyoPX[n] = ZahyoX[n] - OriginX;
    ZahyoPY[n] = ZahyoY[n] - OriginY;
    if (ZahyoMax < n)
        ZahyoMax = n;
    return true;
}

QString moveFieldText(double absoluteM)
{
    return platform::Str(std::floor(absoluteM));
}

bool moveTargetInReach(double x, double y)
{
    return std::abs(x - ViewCX) < kMoveReachM && std::abs(y - ViewCY) < kMoveReachM;
}

}  // namespace tavelcor
