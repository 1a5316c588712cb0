#include "print/TemplateLinks.h"

#include "model/ZipEntryDevice.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace Print {

namespace {

// A template is small; no entry is inflated past this.
constexpr qint64 kEntryLimit = 64LL * 1024 * 1024;

const QString kXlink = QStringLiteral("http://www.w3.org/1999/xlink");
const QString kDraw = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:drawing:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");

// Whether an address in an OpenDocument file points outside the file:
// "Pictures/1.png" and "./Object 1" are inside it.
bool IsOutside(const QString& href)
{
    return !QUrl(href).scheme().isEmpty() || href.startsWith(u'/') || href.startsWith(QLatin1String("../"));
}

// OpenDocument: images, objects and fills (draw:…) and backgrounds
// (style:background-image) by address; hyperlinks are not fetched.
void FindInOpenDocument(QXmlStreamReader& xml, QStringList& links)
{
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.namespaceUri() != kDraw && xml.namespaceUri() != kStyle)
            continue;
        if (xml.namespaceUri() == kDraw && xml.name() == u"a")
            continue;
        const QString href = xml.attributes().value(kXlink, QLatin1String("href")).toString();
        if (!href.isEmpty() && IsOutside(href) && !links.contains(href))
            links.append(href);
    }
}

// Office Open XML: relationships kept outside the package, but for
// hyperlinks.
void FindInRelationships(QXmlStreamReader& xml, QStringList& links)
{
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"Relationship")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.value(QLatin1String("TargetMode")) != u"External"
            || attributes.value(QLatin1String("Type")).endsWith(u"/hyperlink"))
            continue;
        const QString target = attributes.value(QLatin1String("Target")).toString();
        if (!target.isEmpty() && !links.contains(target))
            links.append(target);
    }
}

} // namespace

QStringList TemplateLinks::Find(const QString& path)
{
    QStringList links;
    const ZipEntryDevice::Archive archive = ZipEntryDevice::OpenArchive(path);
    if (!archive)
        return links;
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < entries; ++i) {
        const QString name = QString::fromUtf8(zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0));
        const bool openDocument = name == QLatin1String("content.xml") || name == QLatin1String("styles.xml");
        const bool relationships = name.endsWith(QLatin1String(".rels"));
        if (!openDocument && !relationships)
            continue;
        ZipEntryDevice entry(archive.get(), static_cast<zip_uint64_t>(i), kEntryLimit);
        QXmlStreamReader xml(&entry);
        if (openDocument)
            FindInOpenDocument(xml, links);
        else
            FindInRelationships(xml, links);
    }
    return links;
}

QString TemplateLinks::Notice(const QStringList& links)
{
    if (links.isEmpty())
        return QString();
    QString listed = links.mid(0, 3).join(QStringLiteral("、"));
    if (links.size() > 3)
        listed += Res::Filled(Res::IDS_TEMPLATE_LINKS_MORE, {QString::number(links.size() - 3)});
    return Res::Filled(Res::IDS_WARN_TEMPLATE_LINKS, {listed});
}

} // namespace Print
