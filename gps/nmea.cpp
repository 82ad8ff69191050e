// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/nmea.h"

namespace orbela {

const SentenceRule& sentenceRule(SentenceTag tag)
{
    for (const SentenceRule& rule : kSentenceRules)
        if (rule.tag == tag)
            return rule;
    return kSentenceRules.front();  // unreachable: every tag has a row
}

QByteArray talkerStart()
{
    QByteArray start("$");
    start.append(kTalker);
    return start;
}

QByteArray sentenceName(SentenceTag tag)
{
    QByteArray name = talkerStart();
    name.append(sentenceRule(tag).letters);
    return name;
}

qsizetype findSentence(QByteArrayView buffer, SentenceTag tag, qsizetype from)
{
    return buffer.indexOf(sentenceName(tag), from);
}

int fieldCount(QByteArrayView buffer, qsizetype start)
{
    int fields = 1;
    for (qsizetype i = start + 1; i < buffer.size(); ++i) {
        const char c = buffer[i];
        if (c == '*' || c == '\r' || c == '\n' || c == '$')
            break;
        if (c == ',')
            ++fields;
    }
    return fields;
}

std::uint8_t nmeaChecksum(QByteArrayView body)
{
    std::uint8_t sum = 0;
    for (char c : body)
        sum ^= static_cast<std::uint8_t>(c);
    return sum;
}

std::optional<QByteArrayView> checkedBody(QByteArrayView sentence)
{
    if (sentence.isEmpty() || sentence.front() != '$')
        return std::nullopt;
    const qsizetype star = sentence.indexOf('*');
    if (star < 0 || star + 2 >= sentence.size())
        return std::nullopt;
    const QByteArrayView body = sentence.sliced(1, star - 1);
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::uint8_t sum = nmeaChecksum(body);
    if (sentence[star + 1] != kHex[sum >> 4] || sentence[star + 2] != kHex[sum & 0x0F])
        return std::nullopt;
    return body;
}

int storeFields(QByteArrayView body, NmeaFieldRow& row)
{
    int stored = 0;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < body.size() && stored < 14; ++i) {
        if (body[i] != ',')
            continue;
        ++stored;
        row[stored] = QString::fromLatin1(body.sliced(begin, i - begin)).trimmed();
        begin = i + 1;
    }
    return stored;
}

}  // namespace orbela
