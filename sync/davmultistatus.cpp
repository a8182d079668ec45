#include "sync/davmultistatus.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace {

const QString Dav = QString::fromLatin1(DavMultiStatus::DavNamespace);

// One property element, read to its end.
DavMultiStatus::Property readProperty(QXmlStreamReader &xml)
{
    DavMultiStatus::Property property;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (xml.name() == QLatin1String("href") && xml.namespaceUri() == Dav) {
                property.hrefs.append(QUrl::fromPercentEncoding(xml.readElementText().trimmed().toUtf8()));
                --depth;
            } else if (xml.name() == QLatin1String("comp")) {
                property.components.append(xml.attributes().value(QLatin1String("name")).toString().toUpper());
            } else if (depth == 2) {
                property.children.append(xml.name().toString());
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (depth == 1)
                property.text += xml.text();
            break;
        default:
            break;
        }
    }
    property.text = property.text.trimmed();
    return property;
}

void readPropstat(QXmlStreamReader &xml, DavMultiStatus::Response *response)
{
    QHash<QString, DavMultiStatus::Property> found;
    int status = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("prop")) {
            while (xml.readNextStartElement())
                found.insert(xml.name().toString(), readProperty(xml));
        } else if (xml.name() == QLatin1String("status")) {
            status = DavMultiStatus::statusCode(xml.readElementText());
        } else {
            xml.skipCurrentElement();
        }
    }
    if (status >= 200 && status < 300) {
        for (auto it = found.cbegin(); it != found.cend(); ++it)
            response->properties.insert(it.key(), it.value());
    }
}

DavMultiStatus::Response readResponse(QXmlStreamReader &xml)
{
    DavMultiStatus::Response response;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("href"))
            response.href = QUrl::fromPercentEncoding(xml.readElementText().trimmed().toUtf8());
        else if (xml.name() == QLatin1String("status"))
            response.status = DavMultiStatus::statusCode(xml.readElementText());
        else if (xml.name() == QLatin1String("propstat"))
            readPropstat(xml, &response);
        else
            xml.skipCurrentElement();
    }
    return response;
}

} // namespace

bool DavMultiStatus::parse(const QByteArray &data)
{
    responses.clear();
    syncToken.clear();
    QXmlStreamReader xml(data);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("multistatus") || xml.namespaceUri() != Dav)
        return false;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("response"))
            responses.append(readResponse(xml));
        else if (xml.name() == QLatin1String("sync-token"))
            syncToken = xml.readElementText().trimmed();
        else
            xml.skipCurrentElement();
    }
    return !xml.hasError();
}

int DavMultiStatus::statusCode(const QString &line)
{
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts.at(1).toInt() : 0;
}
