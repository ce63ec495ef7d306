#include "notes/JsonText.h"

QByteArray jsonString(const QString &text, SolidusEscape solidus)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out.append('"');
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '/': out.append(solidus == SolidusEscape::Escaped ? "\\/" : "/"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            if (u < 0x20)
                out.append("\\u00").append(QByteArray::number(u >> 4, 16)).append(QByteArray::number(u & 0xF, 16));
            else
                out.append(c); // UTF-8 bytes pass through unescaped
        }
    }
    out.append('"');
    return out;
}
