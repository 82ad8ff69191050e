// SPDX-License-Identifier: LicenseRef-Tavelcor
// The controls of the field links: the hidden link fields of the GPS fix and
// the workbook cell, the GPS marker, "Ｇ" of the point panel, the "GPS"
// button and the fields and buttons of the station frame.
#include "main/window/plot.h"

#include <QImage>
#include <QPainter>

namespace tavelcor {

namespace {

// The GPS marker: a small picture of 43 by 38 pixels, a red ring with a
// cross on a transparent ground, its centre where the fix lies.
QImage gpsMarkerPicture()
{
    QImage picture(43, 38, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(255, 0, 0), 3));
    painter.drawEllipse(QPoint(21, 19), 12, 12);
    painter.drawLine(21, 2, 21, 36);
    painter.drawLine(4, 19, 38, 19);
    return picture;
}

}  // namespace

void Plot::designFieldLinkControls()
{
    Text9.setText(QStringLiteral("Text9"));
    Text9.setVisible(false);
    Text10.setText(QStringLiteral("Text10"));
    Text10.setVisible(false);

    Image1.setPicture(gpsMarkerPicture());
    Image1.setVisible(false);

    // "Ｇ" stands at the end of the names' row, after the second name
    // (designPointPanel).
    Check29.setCaption(QStringLiteral("Ｇ"));
    Check29.Move(3350.0, 750.0, 450.0, 300.0);

    Command54.setCaption(QStringLiteral("GPS"));
    Command54.Move(100.0, 10620.0, 900.0, 330.0);

    // The station frame grows to hold the three names below its options and
    // its buttons below them; "次" is shown once there are several foresights.
    Frame13.setHeight(1450.0);
    double left = 100.0;
    for (platform::TextBox* name : {&Text11, &Text12, &Text13}) {
        name->Move(left, 650.0, 1150.0, 300.0);
        name->setText(QString());
        left += 1250.0;
    }
    const struct {
        platform::CommandButton* button;
        const char16_t* caption;
    } buttons[] = {{&Command50, u"ＯＫ"}, {&Command51, u"次"}, {&Command49, u"取消"}};
    left = 100.0;
    for (const auto& b : buttons) {
        b.button->setCaption(QString::fromUtf16(b.caption));
        b.button->Move(left, 1030.0, 1150.0, 330.0);
        left += 1250.0;
    }
    Command51.setVisible(false);
}

}  // namespace tavelcor
