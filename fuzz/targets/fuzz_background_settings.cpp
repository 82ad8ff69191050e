// SPDX-License-Identifier: LicenseRef-Tavelcor
// HAIKEI.JKN, the site's background settings, with a background window that
// takes the raster definition paths the file names (moved into the site
// folder's drive where the stored one has changed).
#include "fuzz/support/fuzz_support.h"

#include "main/site/display_settings.h"

namespace {

class NoBackgroundWindow final : public tavelcor::BackgroundWindow {
public:
    void loadUserRaster(int n, const QString& path) override { mLast = QString::number(n) + path; }
    void unload() override { mLast.clear(); }

private:
    QString mLast;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::writeSiteFile(QStringLiteral("HAIKEI.JKN"), data, size);
    NoBackgroundWindow window;
    (void)tavelcor::LoadBackgroundSettings(&window);
    return 0;
}
