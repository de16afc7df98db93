#include "reports/ELSObject.h"

#include "reports/CellName.h"

#include "platform/Desktop.h"
#include "platform/Messages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>

#include <xlsxwriter.h>

using namespace Qt::StringLiterals;

namespace {

/// Pictures are placed at this resolution, so that a point of the sheet is a pixel of the picture.
constexpr int PictureDpi = 96;

} // namespace

TELSObject::TELSObject() = default;

TELSObject::~TELSObject()
{
    Discard();
}

bool TELSObject::Open(const QString& fileName, bool constantMemory)
{
    Discard();
    m_cancelled = false;
    m_lastRow = 0;
    m_pictures = 0;
    m_constantMemory = constantMemory;
    const QFileInfo file(fileName);
    if (!QDir().mkpath(file.absolutePath()))
        return false;
    m_fileName = file.absoluteFilePath();
    m_encodedName = QFile::encodeName(m_fileName);
    lxw_workbook_options options{};
    options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
    m_book = workbook_new_opt(m_encodedName.constData(), &options);
    if (!m_book)
        return false;
    m_sheet = workbook_add_worksheet(m_book, nullptr);
    m_bold = workbook_add_format(m_book);
    m_title = workbook_add_format(m_book);
    m_label = workbook_add_format(m_book);
    if (!m_sheet || !m_bold || !m_title || !m_label) {
        Discard();
        return false;
    }
    format_set_bold(m_bold);
    format_set_bold(m_title);
    format_set_font_size(m_title, 12);
    format_set_bold(m_label);
    format_set_align(m_label, LXW_ALIGN_RIGHT);
    return true;
}

QString TELSObject::CellText(const QString& value)
{
    QString text = value.startsWith(u'\'') ? value.mid(1) : value;
    if (text.size() > MaxTextLength) {
        text.truncate(MaxTextLength);
        // Never leave half of a character that takes two code units.
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

bool TELSObject::Cell(const QString& name, int* row, int* column)
{
    if (!m_book || m_cancelled || !CellName::Parse(name, row, column))
        return false;
    if (m_constantMemory) {
        if (*row < m_lastRow)
            return false;
        m_lastRow = *row;
    }
    return true;
}

lxw_format* TELSObject::Format(TCellStyle style) const
{
    switch (style) {
    case TCellStyle::Bold:
        return m_bold;
    case TCellStyle::Title:
        return m_title;
    case TCellStyle::Label:
        return m_label;
    case TCellStyle::Plain:
        break;
    }
    return nullptr;
}

void TELSObject::Step()
{
    if (m_step)
        m_step();
}

bool TELSObject::SetText(const QString& cell, const QString& value, TCellStyle style)
{
    int row = 0;
    int column = 0;
    bool written = false;
    if (Cell(cell, &row, &column)) {
        const QByteArray text = CellText(value).toUtf8();
        // An empty text leaves the cell empty; a style alone would make it a blank cell.
        written = text.isEmpty()
            || worksheet_write_string(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                      text.constData(), Format(style)) == LXW_NO_ERROR;
    }
    Step();
    return written;
}

bool TELSObject::SetNumber(const QString& cell, double value, TCellStyle style)
{
    int row = 0;
    int column = 0;
    bool written = false;
    if (Cell(cell, &row, &column)) {
        written = worksheet_write_number(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), value,
                                         Format(style)) == LXW_NO_ERROR;
    }
    Step();
    return written;
}

bool TELSObject::InsertPicture(const QString& cell, const QByteArray& picture, int height, int width)
{
    int row = 0;
    int column = 0;
    // A picture is no cell of the rows being written, so constant memory does not order it.
    const bool placed = [&]() {
        if (!m_book || m_cancelled || !CellName::Parse(cell, &row, &column) || height <= 0 || width <= 0)
            return false;
        QImage image = QImage::fromData(picture);
        if (image.isNull())
            return false;
        // The sheet gets a plain JPEG of the size asked for, whatever the stored picture's format and resolution.
        image = image.convertToFormat(QImage::Format_RGB32)
                    .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const int dotsPerMeter = qRound(PictureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpg");
        writer.setQuality(90);
        if (!writer.write(image))
            return false;
        lxw_image_options options{};
        options.x_offset = 5;
        options.y_offset = 5;
        options.x_scale = 1;
        options.y_scale = 1;
        const QByteArray description = u"Image%1"_s.arg(m_pictures).toUtf8();
        options.description = const_cast<char*>(description.constData());
        // libxlsxwriter copies the bytes at once; nothing is left in a file of ours.
        return worksheet_insert_image_buffer_opt(m_sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                                 reinterpret_cast<const unsigned char*>(jpeg.constData()),
                                                 static_cast<size_t>(jpeg.size()), &options)
            == LXW_NO_ERROR;
    }();
    if (placed) {
        ++m_pictures;
    }
    Step();
    return placed;
}

void TELSObject::SetColumnWidth(const QString& letters, double width)
{
    const int column = CellName::Column(letters);
    if (m_book && column >= 0)
        worksheet_set_column(m_sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column), width, nullptr);
}

void TELSObject::FitToPageWidth(bool landscape)
{
    if (!m_book)
        return;
    constexpr uint8_t A4 = 9;
    worksheet_set_paper(m_sheet, A4);
    if (landscape)
        worksheet_set_landscape(m_sheet);
    worksheet_fit_to_pages(m_sheet, 1, 0);
}

void TELSObject::Cancel()
{
    m_cancelled = true;
}

void TELSObject::Discard()
{
    if (m_book)
        lxw_workbook_free(m_book);
    m_book = nullptr;
    m_sheet = nullptr;
    m_bold = nullptr;
    m_title = nullptr;
    m_label = nullptr;
}

bool TELSObject::Close()
{
    if (!m_book)
        return false;
    if (m_cancelled) {
        Discard();
        return false;
    }
    lxw_workbook* book = m_book;
    m_book = nullptr;
    m_sheet = nullptr;
    m_bold = nullptr;
    m_title = nullptr;
    m_label = nullptr;
    // workbook_close frees the workbook whatever it answers; a file it could not complete is removed.
    if (workbook_close(book) != LXW_NO_ERROR) {
        QFile::remove(m_fileName);
        return false;
    }
    return QFileInfo::exists(m_fileName);
}

bool TELSObject::Show()
{
    if (m_book && !Close())
        return false;
    if (m_cancelled || !QFileInfo::exists(m_fileName))
        return false;
    if (!Desktop::OpenPath(m_fileName))
        Messages().ShowMessage(u"Документ записан в файл\r"_s + QDir::toNativeSeparators(m_fileName)
                               + u"\rОткройте его программой для работы с таблицами."_s);
    return true;
}
