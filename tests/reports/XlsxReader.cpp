#include "tests/reports/XlsxReader.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtEndian>

#include <zlib.h>

namespace {

quint32 U32(const QByteArray& data, qsizetype at)
{
    return at + 4 <= data.size() ? qFromLittleEndian<quint32>(data.constData() + at) : 0;
}

quint16 U16(const QByteArray& data, qsizetype at)
{
    return at + 2 <= data.size() ? qFromLittleEndian<quint16>(data.constData() + at) : 0;
}

bool Inflate(const QByteArray& packed, qsizetype size, QByteArray& out)
{
    out.resize(size);
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.constData()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    return result == Z_STREAM_END && stream.total_out == static_cast<uLong>(size);
}

/// The text inside the current element, the texts of its <t> children joined (rich text runs included).
QString ElementText(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"t")
            text += xml.readElementText();
        else if (xml.isEndElement() && xml.name() == end)
            break;
    }
    return text;
}

} // namespace

TXlsxReader::TXlsxReader(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || !Unzip(file.readAll()))
        return;
    ReadSharedStrings();
    ReadSheet();
}

bool TXlsxReader::Unzip(const QByteArray& archive)
{
    // The end of the central directory: its signature within the last 64 KiB and a bit.
    qsizetype end = archive.size() - 22;
    while (end >= 0 && U32(archive, end) != 0x06054b50)
        --end;
    if (end < 0)
        return false;
    const int count = U16(archive, end + 10);
    qsizetype at = U32(archive, end + 16);
    for (int i = 0; i < count; ++i) {
        if (U32(archive, at) != 0x02014b50)
            return false;
        const int method = U16(archive, at + 10);
        const qsizetype packedSize = U32(archive, at + 20);
        const qsizetype size = U32(archive, at + 24);
        const int nameLength = U16(archive, at + 28);
        const int extraLength = U16(archive, at + 30);
        const int commentLength = U16(archive, at + 32);
        const qsizetype local = U32(archive, at + 42);
        const QString name = QString::fromUtf8(archive.mid(at + 46, nameLength));
        at += 46 + nameLength + extraLength + commentLength;
        if (U32(archive, local) != 0x04034b50)
            return false;
        const qsizetype data = local + 30 + U16(archive, local + 26) + U16(archive, local + 28);
        const QByteArray packed = archive.mid(data, packedSize);
        QByteArray content;
        if (method == 0)
            content = packed;
        else if (method != 8 || !Inflate(packed, size, content))
            return false;
        m_entries.insert(name, content);
    }
    return true;
}

void TXlsxReader::ReadSharedStrings()
{
    QXmlStreamReader xml(m_entries.value(QStringLiteral("xl/sharedStrings.xml")));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            m_shared.append(ElementText(xml));
    }
}

void TXlsxReader::ReadSheet()
{
    const QByteArray sheet = m_entries.value(QStringLiteral("xl/worksheets/sheet1.xml"));
    if (sheet.isEmpty())
        return;
    QXmlStreamReader xml(sheet);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"col") {
            m_widths.insert(xml.attributes().value(QStringLiteral("min")).toInt(), xml.attributes().value(QStringLiteral("width")).toDouble());
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const QString name = xml.attributes().value(QStringLiteral("r")).toString().toLower();
        TSheetCell cell;
        cell.Type = xml.attributes().value(QStringLiteral("t")).toString();
        if (cell.Type.isEmpty())
            cell.Type = QStringLiteral("n");
        QString value;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"v")
                value = xml.readElementText();
            else if (xml.isStartElement() && xml.name() == u"is")
                value = ElementText(xml);
            else if (xml.isStartElement() && xml.name() == u"f")
                cell.Type = QStringLiteral("formula");
            else if (xml.isEndElement() && xml.name() == u"c")
                break;
        }
        cell.Text = cell.Type == u"s" ? m_shared.value(value.toInt()) : value;
        m_cells.insert(name, cell);
    }
    m_valid = !xml.hasError();
}

QStringList TXlsxReader::Column(const QString& column, int from) const
{
    QStringList texts;
    for (int row = from; m_cells.contains(column + QString::number(row)); ++row)
        texts.append(Text(column + QString::number(row)));
    return texts;
}
