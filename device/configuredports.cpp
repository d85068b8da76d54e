#include "device/portsources.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace portsources {
namespace {

// The stand-in SDK reads no larger configuration file; neither does the scan.
constexpr qint64 largestConfigurationFile = qint64 {4} * 1024 * 1024;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool endsBareValue(char c)
{
    return c == ',' || c == '}' || c == ']' || isSpace(c);
}

// Walks a text Qt's own reader has already accepted as JSON, to find what that reader
// cannot give: the order of an object's members.
class JsonWalk
{
public:
    explicit JsonWalk(const QByteArray &text) : text(text) { }

    // The member names, in order, of the object under the first top-level key of that name.
    QStringList memberNamesUnder(const QByteArray &key)
    {
        if (!enter('{'))
            return {};
        do {
            const QString name = nextString();
            skipSpace();
            ++at; // the colon
            if (name == QLatin1String(key) && peek() == '{')
                return memberNames();
            skipValue();
        } while (enter(','));
        return {};
    }

private:
    QStringList memberNames()
    {
        QStringList names;
        enter('{');
        if (enter('}'))
            return names;
        do {
            names << nextString();
            skipSpace();
            ++at; // the colon
            skipValue();
        } while (enter(','));
        return names;
    }

    char peek()
    {
        skipSpace();
        return at < text.size() ? text.at(at) : '\0';
    }

    bool enter(char expected)
    {
        if (peek() != expected)
            return false;
        ++at;
        return true;
    }

    void skipSpace()
    {
        while (at < text.size() && isSpace(text.at(at)))
            ++at;
    }

    // Decoded by Qt's reader, so escapes mean exactly what they mean to it.
    QString nextString()
    {
        const int start = at;
        skipString();
        const QByteArray quoted = text.mid(start, at - start);
        return QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString();
    }

    void skipString()
    {
        peek();
        ++at; // the opening quote
        while (at < text.size() && text.at(at) != '"')
            at += text.at(at) == '\\' ? 2 : 1;
        ++at;
    }

    void skipValue()
    {
        const char first = peek();
        if (first == '"') {
            skipString();
            return;
        }
        if (first != '{' && first != '[') {
            while (at < text.size() && !endsBareValue(text.at(at)))
                ++at;
            return;
        }
        int depth = 0;
        do {
            const char c = text.at(at);
            if (c == '"') {
                skipString();
                continue;
            }
            if (c == '{' || c == '[')
                ++depth;
            else if (c == '}' || c == ']')
                --depth;
            ++at;
        } while (depth > 0 && at < text.size());
    }

    const QByteArray &text;
    int at = 0;
};

} // namespace

QStringList portsNamedIn(const QString &configurationFile)
{
    // Only a regular file of a sensible size: a FIFO or a device would block the scan.
    const QFileInfo info(configurationFile);
    if (configurationFile.isEmpty() || !info.isFile() || info.size() > largestConfigurationFile)
        return {};
    QFile file(configurationFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.read(largestConfigurationFile + 1);
    if (text.size() > largestConfigurationFile)
        return {};
    QJsonParseError error {};
    if (!QJsonDocument::fromJson(text, &error).isObject()
        || error.error != QJsonParseError::NoError)
        return {};

    QStringList names = JsonWalk(text).memberNamesUnder("ports");
    const auto unreachable
        = [](const QString &name) { return name.isEmpty() || name.contains(QChar(0)); };
    names.erase(std::remove_if(names.begin(), names.end(), unreachable), names.end());
    return names;
}

} // namespace portsources
