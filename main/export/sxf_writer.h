// SPDX-License-Identifier: LicenseRef-Tavelcor
// The writer behind writeSxfFile: the feature blocks with their running
// entity numbers, the attribute forms, and one function per file section.
// Internal to the SXF export.
#pragma once

#include "main/export/sxf_file.h"
#include "main/site/site_text.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <vector>

namespace platform {
class TextFileWriter;
}

namespace tavelcor::sxf {

/// One of the three character heights of the settings, as written.
struct SxfHeight {
    QString text;        ///< the height attribute: the setting times 1000, single precision
    double value = 0.0;  ///< that text read back as a number
    /// Width attribute texts by CP932 byte count, made on first use.
    std::vector<QString> widthTexts;
};

class SxfWriter {
public:
    SxfWriter(platform::TextFileWriter& out, const SxfView& view);
    SxfWriter(const SxfWriter&) = delete;
    SxfWriter& operator=(const SxfWriter&) = delete;

    void writeHead();
    void writePoints();
    void writeLines();
    void writeStrokes();
    void writeTexts();
    void writeCoordinates();
    void writeParcelOutlines();
    void writeParcelLabels();
    void writeTail();

private:
    // --- feature blocks ---------------------------------------------------
    /// Starts a feature line: "#", the entity number, "=", the name, "(".
    void begin(QStringView featureName);
    /// Ends the feature line, writes its block and advances the number.
    void end();
    void separate();
    /// 'value'
    void attr(std::int64_t value);
    /// 'text' for a number text or a fixed attribute.
    void attrPlain(QStringView text);
    /// A coordinate in metres: 'millimetres' as a whole number.
    void attrCoordinate(double metres);
    /// \'text\' with blanks left out and ' and \ doubled.
    void attrText(QStringView text);

    /// A text_string_feature with font 1, spacing, angle and slant 0 and
    /// direction 1; the width is the height times half the CP932 bytes of
    /// the text (blanks included).
    void textFeature(int layer, int color, QStringView text, double eastM, double northM,
                     SxfHeight& height, int basePoint);
    /// The same with a given width text.
    void textFeatureWithWidth(int layer, int color, QStringView text, double eastM, double northM,
                              const SxfHeight& height, QStringView width, int basePoint);
    const QString& widthText(SxfHeight& height, QStringView text);

    // --- sections ---------------------------------------------------------
    void writePointLabel(int i, double eastM, double northM);
    void writeStroke(int s, int e);
    void writeCoordinateLabel(int c, double eastM, double northM);
    void writeParcelOutline(int p);
    void writeAttributeRows(int p);

    bool filterApplies() const { return !mView.includeHidden; }

    platform::TextFileWriter& mOut;
    const SxfView& mView;
    sitetext::Row mRow;
    sitetext::Row mLabel;
    std::int64_t mEntity = 430;
    bool mFirstAttribute = true;
    SxfHeight mMarkH;
    SxfHeight mLabelH;
    SxfHeight mTextH;
    QString mMarkScale;
    double mLabelOffsetM = 0.0;  ///< half the point text height, metres
    double mTextHeightM = 0.0;   ///< the text height, metres
    std::array<int, 19> mMarkerClass{};
    SxfTextLines mLines;
};

/// Layer of line k of a split text: 16 + k (TEXT11..TEXT20), the 11th and
/// later lines on the last text layer 26, so no line is lost.
int textLayer(int line) noexcept;

/// The plain decimal text of a number as the file writes it: at most 15
/// significant digits, no sign for values that are not negative, no zero
/// before the point (".75"), never "-0".
QString sxfNumber(double value);
/// The same for a single-precision value (7 significant digits).
QString sxfNumberSingle(float value);

}  // namespace tavelcor::sxf
