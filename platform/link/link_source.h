// SPDX-License-Identifier: LicenseRef-Tavelcor
// The source side of a named text link: a program serves application|topic,
// and publishes texts under item names.  A client that links an item gets
// the item's current text at once and every newly published text after it,
// in order.  Clients are served from the event loop of the thread that owns
// the source; published texts are handed to the system at once, so they
// reach the clients even when the program ends right after publishing.
#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace platform {

class LinkSource {
public:
    /// A source of application|topic (not serving yet).
    LinkSource(QString application, QString topic);
    /// Stops serving; every linked client sees its link close.
    ~LinkSource();
    LinkSource(const LinkSource&) = delete;
    LinkSource& operator=(const LinkSource&) = delete;

    /// Starts serving.  The name of a source that ended without closing
    /// (a crashed program) is taken over; false when another live source
    /// serves the same name, or the server cannot listen.
    [[nodiscard]] bool listen();
    bool isListening() const;

    /// True: an item that was never published can be linked, and reads as
    /// an empty text until it is (the cells of a worksheet).  False (the
    /// default): linking such an item is refused and the client's link
    /// closes.
    void setServesAnyItem(bool any);

    /// Sets the text of `item` and sends it to every client linked to it
    /// (items compare without regard to case).  Works before listen() too:
    /// the text is what clients get when they link.
    void publish(const QString& item, const QString& text);

    /// The current text of `item`; nullopt when it was never published.
    std::optional<QString> text(const QString& item) const;

    /// Clients linked at present (to any item).
    int linkCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace platform
