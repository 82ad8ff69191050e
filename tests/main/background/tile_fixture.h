// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The tile mosaic against a local tile server: a plot of 300 x 200 pixels
// centred on the site origin, which is put on a chosen latitude and
// longitude of a zone; a server that answers every tile address with a
// 256 x 256 PNG (the size of the real tiles) of one colour made from the
// tile's column and row (or as the
// test says) and records every request; a work folder of the test's own.

#include "background_fixture.h"
#include "local_http_server.h"

#include "geodesy/plane_rectangular.h"
#include "main/background/background_drawing.h"
#include "main/background/gsi_tiles.h"
#include "main/background/tile_mosaic.h"
#include "main/background/web_services.h"
#include "main/site/tile_list.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>

#include <optional>

namespace tavelcor::backgroundtest {

using testing_support::LocalHttpServer;

/// A tile's colour: distinct for neighbouring tiles, never white or black.
inline std::uint32_t tileColor(long long column, long long row)
{
    const auto r = static_cast<std::uint32_t>(40 + (column * 67) % 180);
    const auto g = static_cast<std::uint32_t>(40 + (row * 101) % 180);
    const auto b = static_cast<std::uint32_t>(40 + ((column + 2 * row) * 37) % 180);
    return r | (g << 8) | (b << 16);
}

inline QByteArray solidPng(std::uint32_t color)
{
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(platform::toQRgb(color));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

/// Layer, zoom, column and row of a tile address; nullopt for others.
struct TileRequest {
    QString layer;
    int zoom = 0;
    long long column = 0;
    long long row = 0;
};

inline std::optional<TileRequest> tileRequestOf(const QByteArray& target)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^/xyz/([^/]*)/(\d+)/(\d+)/(\d+)\.(png|jpg)$)"));
    const QRegularExpressionMatch m = pattern.match(QString::fromLatin1(target));
    if (!m.hasMatch())
        return std::nullopt;
    return TileRequest{m.captured(1), m.captured(2).toInt(), m.captured(3).toLongLong(), m.captured(4).toLongLong()};
}

class TileFixture : public BackgroundFixture {
protected:
    void SetUp() override
    {
        BackgroundFixture::SetUp();
        ASSERT_TRUE(server.isListening());
        ASSERT_TRUE(QDir().mkpath(WorkFolder));
        setTileCache({});
        savedServices = webServices();
        webServices().tileBase = server.base();
        webServices().timeoutMs = 3000;
        backgroundServices() = BackgroundServices{};
        backgroundServices().netState = [this] { return netState; };
        backgroundServices().tileMosaic = [](render::PlotFace& f, std::uint8_t& code) { TileMosaic(f, code); };
        server.setHandler([](const QByteArray& target) {
            const std::optional<TileRequest> tile = tileRequestOf(target);
            if (!tile)
                return LocalHttpServer::Reply{404, "no such tile"};
            return LocalHttpServer::Reply{200, solidPng(tileColor(tile->column, tile->row)), "image/png"};
        });
        ZoneNo = 9;
    }

    void TearDown() override
    {
        webServices() = savedServices;
        backgroundServices() = BackgroundServices{};
        platform::destroyAllForms();
        BackgroundFixture::TearDown();
    }

    /// Puts the site origin, and the view's centre, on a place of the zone
    /// and makes the view `eastM` wide (its height follows the picture).
    static void centreOn(double latDeg, double lonDeg, double eastM)
    {
        OriginX = geodesy::BLtoXY(latDeg * 1e4, lonDeg * 1e4, ZoneNo, 0);
        OriginY = geodesy::BLtoXY(latDeg * 1e4, lonDeg * 1e4, ZoneNo, 1);
        setView(eastM * 2.0 / 3.0, eastM);
    }

    /// The background drawing's tile step for `code`, as the redraw calls it.
    std::uint8_t drawLayer(std::uint8_t code)
    {
        Haikei_Draw(*face, code);
        return code;
    }

    /// The requests for tiles, as layer and zoom "std/17".
    QStringList requestedLayers() const
    {
        QStringList layers;
        for (const QByteArray& target : server.targets()) {
            const std::optional<TileRequest> tile = tileRequestOf(target);
            layers << (tile ? tile->layer + u'/' + QString::number(tile->zoom) : QString::fromLatin1(target));
        }
        return layers;
    }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 1; i <= TileCacheCount; ++i)
            names << TileCache[i];
        return names;
    }

    LocalHttpServer server;
    WebServices savedServices;
    QString netState = QStringLiteral("ok");
    platform::testing::GTestScriptedPrompter script;
};

}  // namespace tavelcor::backgroundtest
