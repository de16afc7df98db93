// Makes the program's help document: a Markdown text with pictures, laid out on A4 pages as a PDF.
//   zorvin-helpdoc INPUT.md PICTURES-FOLDER OUTPUT.pdf
// Pictures are named in the text relative to PICTURES-FOLDER and shrunk to the width of the page.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QUrl>

namespace {

// Gives every picture the width it has on the page: its own, or the text width when it is wider.
bool FitPictures(QTextDocument& document, const QDir& pictures, qreal textWidth, QTextStream& err)
{
    bool complete = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString file = pictures.filePath(format.name());
            const QImage image(file);
            if (image.isNull()) {
                err << "Нет рисунка: " << file << Qt::endl;
                complete = false;
                continue;
            }
            // Printing lays out a copy of the document, which finds the picture by its full address.
            const QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
            document.addResource(QTextDocument::ImageResource, url, image);
            format.setName(url.toString());
            const qreal width = qMin<qreal>(image.width(), textWidth);
            format.setWidth(width);
            format.setHeight(image.height() * width / image.width());
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return complete;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 3) {
        err << "zorvin-helpdoc INPUT.md PICTURES-FOLDER OUTPUT.pdf" << Qt::endl;
        return 2;
    }
    QFile input(args.at(0));
    if (!input.open(QIODevice::ReadOnly)) {
        err << "Не удалось прочитать " << args.at(0) << Qt::endl;
        return 1;
    }
    const QDir pictures(args.at(1));
    const QString markdown = QString::fromUtf8(input.readAll());

    QSaveFile output(args.at(2));
    if (!QDir().mkpath(QFileInfo(args.at(2)).absolutePath()) || !output.open(QIODevice::WriteOnly)) {
        err << "Не удалось записать " << args.at(2) << Qt::endl;
        return 1;
    }
    QPdfWriter pdf(&output);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 16, 18, 16),
                                  QPageLayout::Millimeter));
    pdf.setTitle(QStringLiteral("Зорвин: справка"));
    pdf.setCreator(QStringLiteral("Zorvin"));

    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setMarkdown(markdown);
    // The page is laid out at the screen's resolution; the text width of an A4 page with these margins.
    const qreal textWidth = pdf.pageLayout().paintRectPixels(96).width() - 2 * document.documentMargin();
    if (!FitPictures(document, pictures, textWidth, err))
        return 1;
    document.print(&pdf);
    if (!output.commit()) {
        err << "Не удалось записать " << args.at(2) << Qt::endl;
        return 1;
    }
    return 0;
}
