// SPDX-License-Identifier: LicenseRef-Tavelcor
// The client side of a named text link: a text field of one program linked
// to application|topic!item of another, in automatic mode.
//
//     auto link = platform::LinkClient::open("FALDREN", "ORBELA_TEXT7", "Text7");
//     if (!link) { ...no source: the link failure steps... }
//     link->Change = [&](const QString& text) { Text9.setText(text); };
//
// Opening fails at once when no source serves application|topic.  Once
// open, the item's current text and every later one arrive from the event
// loop of the thread that opened the link, in the order the source
// published them; each raises Change.  A source that refuses the item or
// ends closes the link and raises Closed.
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace platform {

class LinkClient {
public:
    /// Links `item` of the source application|topic; nullptr when no source
    /// serves it (waits at most `timeoutMs` for the connection).
    [[nodiscard]] static std::unique_ptr<LinkClient> open(const QString& application, const QString& topic,
                                                          const QString& item, int timeoutMs = 1000);
    /// Ends the link.
    ~LinkClient();
    LinkClient(const LinkClient&) = delete;
    LinkClient& operator=(const LinkClient&) = delete;

    /// The last text received; empty until the first one came.
    const QString& text() const;
    /// Texts received so far.
    int updateCount() const;
    /// True until the source refused the item or went away.
    bool isLinked() const;
    const QString& item() const;

    /// A text arrived (also when it equals the previous one).  The handler
    /// may destroy the client.
    std::function<void(const QString& text)> Change;
    /// The link closed: the source refused the item or ended.
    std::function<void()> Closed;

private:
    LinkClient();
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace platform
