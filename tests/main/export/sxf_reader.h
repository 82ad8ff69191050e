// SPDX-License-Identifier: LicenseRef-Tavelcor
// An independent reader of the SXF files the export writes, for the tests:
// the file's lines (CP932, CR LF) and its feature blocks ("/*SXF", the
// entity line, "SXF*/", an empty line) with each entity line parsed into its
// number, its name and its attributes. An attribute stands between
// apostrophes and holds no apostrophe; a text attribute stands between \'
// pairs, with '' for an apostrophe and \\ for a backslash inside. Anything
// else makes the line unreadable (ok false).
#pragma once

#include "platform/text/cp932.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace tavelcor::exporttest {

struct SxfFeature {
    std::int64_t entity = 0;
    QString name;
    QStringList attributes;  // texts unescaped, plain attributes as written
    bool ok = false;
};

// The lines of a CP932 file with CR LF line ends; nullopt when it cannot be
// read or a line end is not CR LF.
inline std::optional<QStringList> readCrLfLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0 || lf == start || bytes[lf - 1] != '\r')
            return std::nullopt;
        const QByteArray line = bytes.mid(start, lf - 1 - start);
        if (line.contains('\r'))
            return std::nullopt;
        lines << platform::fromCp932(line);
        start = lf + 1;
    }
    return lines;
}

inline std::optional<QString> readTextAttribute(QStringView line, qsizetype& at)
{
    QString text;
    at += 2;  // the opening \'
    while (at < line.size()) {
        const QStringView rest = line.sliced(at);
        if (rest.startsWith(u"\\\\")) {
            text += u'\\';
            at += 2;
        } else if (rest.startsWith(u"\\'")) {
            at += 2;
            return text;
        } else if (rest.startsWith(u"''")) {
            text += u'\'';
            at += 2;
        } else if (rest.front() == u'\'' || rest.front() == u'\\') {
            return std::nullopt;  // a lone apostrophe or backslash
        } else {
            text += rest.front();
            ++at;
        }
    }
    return std::nullopt;
}

// Parses "#<number>=<name>(<attribute>,<attribute>,...)".
inline SxfFeature parseFeatureLine(QStringView line)
{
    SxfFeature f;
    if (!line.startsWith(u'#') || !line.endsWith(u')'))
        return f;
    const qsizetype eq = line.indexOf(u'=');
    const qsizetype open = line.indexOf(u'(');
    if (eq < 2 || open < eq + 2)
        return f;
    bool numeric = false;
    f.entity = line.sliced(1, eq - 1).toLongLong(&numeric);
    if (!numeric)
        return f;
    f.name = line.sliced(eq + 1, open - eq - 1).toString();
    qsizetype at = open + 1;
    const qsizetype end = line.size() - 1;
    while (at < end) {
        if (line.sliced(at).startsWith(u"\\'")) {
            const std::optional<QString> text = readTextAttribute(line, at);
            if (!text)
                return f;
            f.attributes << *text;
        } else if (line[at] == u'\'') {
            const qsizetype close = line.indexOf(u'\'', at + 1);
            if (close < 0 || close > end)
                return f;
            f.attributes << line.sliced(at + 1, close - at - 1).toString();
            at = close + 1;
        } else {
            return f;
        }
        if (at < end) {
            if (line[at] != u',')
                return f;
            ++at;
        }
    }
    f.ok = at == end;
    return f;
}

// Lines of the head: 15 fixed lines and 42 definition blocks.
inline constexpr qsizetype kHeadLines = 183;

// The features of a file: the entity line of every block after the head
// whose first line reads "/*SXF"; ok false in a feature whose block or line
// is malformed.
inline std::vector<SxfFeature> featuresOf(const QStringList& lines)
{
    std::vector<SxfFeature> features;
    for (qsizetype i = kHeadLines; i + 3 < lines.size(); i += 4) {
        if (lines[i] != u"/*SXF")
            break;
        SxfFeature f = parseFeatureLine(lines[i + 1]);
        if (lines[i + 2] != u"SXF*/" || !lines[i + 3].isEmpty())
            f.ok = false;
        features.push_back(f);
    }
    return features;
}

// The features named name, in file order.
inline std::vector<SxfFeature> featuresNamed(const std::vector<SxfFeature>& all, const QString& name)
{
    std::vector<SxfFeature> out;
    for (const SxfFeature& f : all)
        if (f.name == name)
            out.push_back(f);
    return out;
}

// The numbers of a list attribute "(1,2,3)".
inline std::vector<long long> listNumbers(const QString& attribute)
{
    std::vector<long long> out;
    if (!attribute.startsWith(u'(') || !attribute.endsWith(u')'))
        return out;
    for (const QString& item : attribute.mid(1, attribute.size() - 2).split(u','))
        out.push_back(item.toLongLong());
    return out;
}

}  // namespace tavelcor::exporttest
