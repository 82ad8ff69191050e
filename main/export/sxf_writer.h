// SPDX-License-Identifier: LicenseRef-Tavelcor
// The writer behind writeSxfFile: the feature blocks with their running
// entity numbers, the attribute forms, and one function per file section.
// Internal to the SXF export.
#pragma once

#include "main/export/sxf_bytes.h"
#include "main/export/sxf_file.h"
#include "main/site/site_text.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <string>
#include <string_view>
#include <cstdint>
#include <vector>

namespace platform {
class TextFileWriter;
}

namespace tavelcor::sxf {

/// One of the three character heights of the settings, as written.
struct SxfHeight {
    std::string text;    ///< the height attribute: the setting times 1000, single precision
    double value = 0.0;  ///< that text read back as a number
    /// Width attribute texts by CP932 byte count, made on first use.
    std::vector<std::string> widthTexts;
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
    /// Starts a feature block: "/*SXF", then the feature line: "#", the
    /// entity number, "=", the name, "(".
    void begin(std::string_view featureName);
    /// Ends the feature line, writes its block and advances the number.
    void end();
    void separate();
    /// 'value'
    void attr(std::int64_t value);
    /// 'text' for a number text or a fixed attribute (ASCII).
    void attrPlain(std::string_view text);
    /// A coordinate in metres: 'millimetres' as a whole number.
    void attrCoordinate(double metres);
    /// '(a,b,...)': count lengths in metres as whole millimetres, the k-th
    /// (from 0) given by metresOf(k).
    template <class MetresOf>
    void attrMillimetreList(std::int32_t count, MetresOf metresOf)
    {
        mLine.reserve(3);
        separate();
        mLine.put("'(");
        for (std::int32_t k = 0; k < count; ++k) {
            mLine.reserve(2 + kMillimetreBytes);
            if (k > 0)
                mLine.put(',');
            mLine.putMillimetres(metresOf(k));
        }
        mLine.reserve(2);
        mLine.put(")'");
    }
    /// \'text\' with blanks left out and ' and \ doubled.
    void attrText(QStringView text);

    /// A text_string_feature with font 1, spacing, angle and slant 0 and
    /// direction 1; the width is the height times half the CP932 bytes of
    /// the text (blanks included).
    void textFeature(int layer, int color, QStringView text, double eastM, double northM,
                     SxfHeight& height, int basePoint);
    /// The same with a given width text.
    void textFeatureWithWidth(int layer, int color, QStringView text, double eastM, double northM,
                              const SxfHeight& height, std::string_view width, int basePoint);
    const std::string& widthText(SxfHeight& height, QStringView text);

    // --- sections ---------------------------------------------------------
    void writePointLabel(int i, double eastM, double northM);
    void writeStroke(int s, int e);
    void writeCoordinateLabel(int c, double eastM, double northM);
    void writeParcelOutline(int p);
    void writeAttributeRows(int p);

    bool filterApplies() const { return !mView.includeHidden; }

    platform::TextFileWriter& mOut;
    const SxfView& mView;
    BlockBytes mLine;         ///< the feature block being built, CP932
    QString mEscaped;         ///< a text attribute's content, escaped
    QByteArray mTextBytes;    ///< the same in CP932
    sitetext::Row mLabel;
    std::int64_t mEntity = 430;
    bool mFirstAttribute = true;
    SxfHeight mMarkH;
    SxfHeight mLabelH;
    SxfHeight mTextH;
    std::string mMarkScale;
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
