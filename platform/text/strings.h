// SPDX-License-Identifier: LicenseRef-Tavelcor
// Blank handling as the system's texts need it. A blank is the half-width
// blank U+0020 only: the full-width blank U+3000 and tabs are ordinary
// characters that no trimming removes (QString::trimmed() would remove both,
// which changes names and texts of the site files).
#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// The text without leading and trailing half-width blanks ("Trim").
QString Trim(QStringView text);
// Without leading half-width blanks ("LTrim").
QString LTrim(QStringView text);
// Without trailing half-width blanks ("RTrim").
QString RTrim(QStringView text);

// The same as views into text, for readers that only compare or convert.
QStringView trimmedView(QStringView text);

// The text with every half-width blank removed, wherever it stands.
QString removeBlanks(QStringView text);

}  // namespace platform
