// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/keysend.h"

#include "platform/desktop/x11_desktop.h"

#include <QList>

#include <array>
#include <utility>

namespace platform {

namespace {

struct KeyName {
    const char* name;
    NamedKey key;
};

constexpr std::array kKeyNames{
    KeyName{"ENTER", NamedKey::Enter},       KeyName{"LEFT", NamedKey::Left},
    KeyName{"RIGHT", NamedKey::Right},       KeyName{"UP", NamedKey::Up},
    KeyName{"DOWN", NamedKey::Down},         KeyName{"DELETE", NamedKey::Delete},
    KeyName{"DEL", NamedKey::Delete},        KeyName{"BS", NamedKey::Backspace},
    KeyName{"BACKSPACE", NamedKey::Backspace}, KeyName{"BKSP", NamedKey::Backspace},
    KeyName{"TAB", NamedKey::Tab},           KeyName{"ESC", NamedKey::Escape},
    KeyName{"HOME", NamedKey::Home},         KeyName{"END", NamedKey::End},
    KeyName{"INSERT", NamedKey::Insert},     KeyName{"INS", NamedKey::Insert},
    KeyName{"PGUP", NamedKey::PageUp},       KeyName{"PGDN", NamedKey::PageDown},
};

constexpr int kMaxRepeat = 255;

std::optional<NamedKey> keyByName(QStringView name)
{
    for (const KeyName& entry : kKeyNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.key;
    }
    return std::nullopt;
}

// The pending modifiers of "+", "^" and "%", applied to the next key.
struct Modifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;

    bool any() const { return shift || control || alt; }
};

KeyStroke strokeOf(std::optional<NamedKey> named, char32_t character, const Modifiers& held)
{
    KeyStroke stroke;
    stroke.named = named;
    stroke.character = named ? 0 : character;
    stroke.shift = held.shift;
    stroke.control = held.control;
    stroke.alt = held.alt;
    return stroke;
}

// The braced part "{...}" starting at keys[pos] == '{'. Returns the strokes
// it stands for and moves pos past the closing brace; nullopt when malformed.
std::optional<std::vector<KeyStroke>> parseBraced(QStringView keys, qsizetype& pos,
                                                  const Modifiers& held)
{
    // "{}}" is the closing brace itself: the first "}" after "{" is content.
    const qsizetype searchFrom = pos + 2;
    const qsizetype close = keys.indexOf(u'}', searchFrom);
    if (close < 0)
        return std::nullopt;
    const QStringView inner = keys.mid(pos + 1, close - pos - 1);
    pos = close + 1;

    QStringView name = inner;
    int repeat = 1;
    const qsizetype blank = inner.lastIndexOf(u' ');
    if (blank > 0) {
        bool ok = false;
        repeat = inner.mid(blank + 1).toInt(&ok);
        if (!ok || repeat < 0 || repeat > kMaxRepeat)
            return std::nullopt;
        name = inner.first(blank);
    }

    KeyStroke stroke;
    const QList<uint> codes = name.toUcs4();
    if (codes.size() == 1) {
        stroke = strokeOf(std::nullopt, static_cast<char32_t>(codes.front()), held);
    } else {
        const std::optional<NamedKey> key = keyByName(name);
        if (!key)
            return std::nullopt;
        stroke = strokeOf(key, 0, held);
    }
    return std::vector<KeyStroke>(static_cast<std::size_t>(repeat), stroke);
}

}  // namespace

std::optional<std::vector<KeyStroke>> parseKeyNotation(QStringView keys)
{
    std::vector<KeyStroke> strokes;
    Modifiers held;
    qsizetype pos = 0;
    while (pos < keys.size()) {
        const QChar c = keys.at(pos);
        if (c == u'+' || c == u'^' || c == u'%') {
            bool& flag = c == u'+' ? held.shift : (c == u'^' ? held.control : held.alt);
            if (flag)
                return std::nullopt;  // "++" holds nothing sensible
            flag = true;
            ++pos;
            continue;
        }
        if (c == u'(' || c == u')' || c == u'}')
            return std::nullopt;
        if (c == u'{') {
            std::optional<std::vector<KeyStroke>> braced = parseBraced(keys, pos, held);
            if (!braced)
                return std::nullopt;
            strokes.insert(strokes.end(), braced->begin(), braced->end());
        } else if (c == u'~') {
            strokes.push_back(strokeOf(NamedKey::Enter, 0, held));
            ++pos;
        } else {
            char32_t code = c.unicode();
            if (c.isHighSurrogate() && pos + 1 < keys.size() && keys.at(pos + 1).isLowSurrogate()) {
                code = QChar::surrogateToUcs4(c, keys.at(pos + 1));
                ++pos;
            }
            strokes.push_back(strokeOf(std::nullopt, code, held));
            ++pos;
        }
        held = Modifiers{};
    }
    if (held.any())
        return std::nullopt;  // a modifier with no key after it
    return strokes;
}

KeySenderOpening openKeySender(const QString& displayName)
{
    return openX11KeySender(displayName);
}

}  // namespace platform
