// SPDX-License-Identifier: LicenseRef-Tavelcor
// Names of links: a source serves application|topic, a client links one
// item of it ("FALDREN|ORBELA_TEXT7" item "Text7", "Excel|境界" item "R4C24").
// Application, topic and item names compare without regard to case, so
// "ORBELA_TEXT7" and "orbela_text7" name the same topic.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

struct LinkTopic {
    QString application;
    QString topic;
};

/// Splits a link topic text "application|topic" at its one "|".  nullopt
/// when there is no "|", more than one, or either side is empty.
std::optional<LinkTopic> parseLinkTopic(QStringView text);

/// The form of a name that comparisons use (case folded).
QString linkKey(QStringView name);

/// True when two names are the same link name (case aside).
bool sameLinkName(QStringView a, QStringView b);

/// The local server name a source of application|topic listens on: private
/// to the user and to the program folder (platform::programFolder()), so the
/// programs that share the folder find each other and tests with folders of
/// their own do not meet.
QString linkServerName(const QString& application, const QString& topic);

}  // namespace platform
