// SPDX-License-Identifier: LicenseRef-Tavelcor
// The changed callback that lets a widget repaint: once per batch of
// drawing, again after the picture was read.
#include "platform/canvas/canvas.h"

#include <gtest/gtest.h>

namespace {

using platform::Canvas;

TEST(CanvasChangedCallbackTest, CalledOncePerBatchUntilThePictureIsRead)
{
    Canvas canvas(QSize(50, 50));
    canvas.setScaleMode(platform::ScaleMode::Pixels);
    int calls = 0;
    canvas.setChangedCallback([&calls] { ++calls; });
    for (int i = 0; i < 100; ++i)
        canvas.Line(0, i % 50, 49, 49 - i % 50, 0x0000FF);
    canvas.Circle(25, 25, 10);
    canvas.Print(QStringLiteral("A"));
    EXPECT_EQ(calls, 1);
    (void)canvas.image(); // the widget painted
    canvas.PSet(3, 3);
    canvas.PSet(4, 4);
    EXPECT_EQ(calls, 2);
}

TEST(CanvasChangedCallbackTest, EveryKindOfChangeNotifies)
{
    Canvas canvas(QSize(20, 20));
    int calls = 0;
    canvas.setChangedCallback([&calls] { ++calls; });
    const std::vector<std::function<void()>> changes = {
        [&] { canvas.Cls(); },
        [&] { canvas.setBackColor(0x00FF00); },
        [&] { canvas.resize(QSize(25, 25)); },
        [&] { canvas.PaintPicture(QImage(2, 2, QImage::Format_RGB32), 0, 0); },
        [&] { canvas.DrawImage(QImage(2, 2, QImage::Format_RGB32), 0, 0, 4, 4); },
        [&] { canvas.setPicture(QImage(2, 2, QImage::Format_RGB32)); },
        [&] { canvas.Polygon(QPolygon({QPoint(0, 0), QPoint(5, 0), QPoint(0, 5)}), 0); },
        [&] { canvas.imageForEdit(); },
    };
    int expected = 0;
    for (const auto& change : changes) {
        change();
        EXPECT_EQ(calls, ++expected);
        (void)canvas.image();
    }
}

TEST(CanvasChangedCallbackTest, RefreshAlwaysNotifies)
{
    Canvas canvas(QSize(10, 10));
    int calls = 0;
    canvas.setChangedCallback([&calls] { ++calls; });
    canvas.Refresh();
    canvas.Refresh();
    EXPECT_EQ(calls, 2);
}

TEST(CanvasChangedCallbackTest, CallbackMayReadThePictureWhileDrawingGoesOn)
{
    // A widget that repaints at once reads image() from inside the callback;
    // drawing continues correctly afterwards.
    Canvas canvas(QSize(30, 30));
    canvas.setScaleMode(platform::ScaleMode::Pixels);
    int calls = 0;
    canvas.setChangedCallback([&] {
        ++calls;
        (void)canvas.image();
    });
    canvas.setDrawWidth(3);
    canvas.Line(0, 5, 29, 5, 0x0000FF);
    canvas.Line(0, 15, 29, 15, 0x0000FF);
    canvas.Circle(15, 15, 8, 0xFF0000);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(canvas.Point(10, 15), 0x0000FF);
    EXPECT_EQ(canvas.Point(10, 5), 0x0000FF);
}

TEST(CanvasChangedCallbackTest, WorksWithoutACallback)
{
    Canvas canvas(QSize(10, 10));
    canvas.Cls();
    canvas.Refresh();
    canvas.setChangedCallback(nullptr);
    canvas.PSet(0, 0, 0);
    EXPECT_EQ(canvas.Point(0, 0), 0);
}

} // namespace
