// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/kiyaku.h"

#include "main/background/web_services.h"
#include "main/window/plot.h"
#include "platform/system/documents.h"

namespace tavelcor {

namespace {

constexpr double kInset = 100.0;
const QString kBathymetryAddress = QStringLiteral("https://www.gebco.net/");

}  // namespace

QString kiyakuText()
{
    QString text = QStringLiteral("地理院地図の利用にあたっては、「国土地理院コンテンツ利用規約」に従ってください。\r\n");
    text += QStringLiteral("小縮尺地図について\r\n");
    text += QStringLiteral("The bathymetric contours are derived from those contained within the GEBCO Digital ");
    text += QStringLiteral("Atlas, published by the BODC on behalf of IOC and IHO (2003) ");
    text += u'(' + kBathymetryAddress + u')';
    text += QStringLiteral("海域部は海上保安庁の承認を得て、同庁の海図を基に作成しています"
                           "（水路業務法第25条に基づく海図の複製の承認による）。");
    return text;
}

Kiyaku::Kiyaku() : platform::Form(QStringLiteral("kiyaku"))
{
    setCaption(QStringLiteral("地理院タイル利用規約"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    setClientSize(kClientWidth, kClientHeight);
    Text1.setMultiLine(true);
    Text1.Move(120.0, 120.0, 4935.0, 1575.0);
    Command1.setCaption(QStringLiteral("国土地理院コンテンツ利用規約"));
    Command1.Move(120.0, 1800.0, 4935.0, 375.0);
    Load = [this] { Text1.setText(kiyakuText()); };
    Activate = [this] { Form_Activate(); };
    // The page opens in the browser; a failure to start it is passed over.
    Command1.Click = [] { static_cast<void>(platform::openUrl(webServices().termsPage)); };
}

void Kiyaku::Form_Activate()
{
    if (Plot* window = plotForm().ifLoaded())
        Move(window->Left() + window->Width() - Width() - kInset, window->Top() + kInset);
}

platform::FormHolder<Kiyaku>& kiyakuForm()
{
    static platform::FormHolder<Kiyaku> holder;
    return holder;
}

}  // namespace tavelcor
