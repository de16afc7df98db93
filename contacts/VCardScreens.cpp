#include "contacts/VCardScreens.h"

#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "shell/frames/ScreenRegistry.h"
#include "store/DataBase.h"
#include "store/ObjectEvents.h"
#include "store/ObjectKinds.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// How often the progress window answers its button: often enough to feel at once, rarely enough to cost
// nothing beside the writes.
constexpr qint64 EventsEveryMs = 40;

const QString FileFilter = u"Файлы vCard (*.vcf *.vcard);;Все файлы (*)"_s;

QString StartFolder()
{
    return QDir::homePath();
}

} // namespace

TFVCardProgress::TFVCardProgress(const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"FVCardProgress"_s);
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    m_caption = new QLabel(caption, this);
    m_caption->setObjectName(u"lCaption"_s);
    layout->addWidget(m_caption);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(u"pbProgress"_s);
    m_bar->setMinimumWidth(320);
    layout->addWidget(m_bar);
    m_stop = new QPushButton(u"Стоп"_s, this);
    m_stop->setObjectName(u"bStop"_s);
    layout->addWidget(m_stop, 0, Qt::AlignRight);
    connect(m_stop, &QPushButton::clicked, this, [this]() { m_stopped = true; });
}

TFVCardProgress::~TFVCardProgress() = default;

bool TFVCardProgress::Step(int done, int total)
{
    if (!isVisible()) {
        show();
        m_sinceEvents.invalidate();
    }
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= EventsEveryMs || done == total) {
        m_bar->setRange(0, std::max(total, 1));
        m_bar->setValue(done);
        QApplication::processEvents();
        m_sinceEvents.start();
    }
    return !m_stopped;
}

void TFVCardProgress::reject()
{
    // Escape and the window's close button stop, as "Стоп" does; the window closes when the work has ended.
    m_stopped = true;
}

TFVCardReport::TFVCardReport(const VCardStore::TReport& report, const QString& file, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"FVCardReport"_s);
    setWindowTitle(VCardScreens::ImportCaption);
    auto* layout = new QVBoxLayout(this);
    const QStringList lines = VCardStore::ReportLines(report);
    const qsizetype counts = report.Written() ? 3 : 1;
    m_summary = new QLabel(u"Файл: "_s + QDir::toNativeSeparators(file) + u'\n' + lines.mid(0, counts).join(u'\n'), this);
    m_summary->setObjectName(u"lSummary"_s);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_problems = new QPlainTextEdit(this);
    m_problems->setObjectName(u"mProblems"_s);
    m_problems->setReadOnly(true);
    m_problems->setPlainText(lines.mid(counts).join(u'\n'));
    m_problems->setVisible(lines.size() > counts);
    layout->addWidget(m_problems);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(520, lines.size() > counts ? 360 : 140);
}

TFVCardReport::~TFVCardReport() = default;

namespace VCardScreens {

bool ImportFile(QWidget* parent)
{
    TMyDataBase* db = CurrentDatabase();
    if (!db)
        return false;
    const QString path = FileDialogs().OpenFileName(ImportCaption, StartFolder(), FileFilter);
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Messages().ShowMessage(u"Не удалось прочитать файл "_s + QDir::toNativeSeparators(path));
        return false;
    }
    const VCardStore::TPrepared prepared = VCardStore::Read(file.readAll());
    file.close();

    VCardStore::TDuplicates duplicates = VCardStore::TDuplicates::Add;
    if (const int known = VCardStore::CountDuplicates(db, prepared); known > 0) {
        const TAnswer answer = Messages().AskYesNoCancel(
            u"Людей из файла, которые уже есть в базе данных: %1.\rОбновить их данными из файла?\r"
            u"«Да» — обновить, «Нет» — добавить еще раз, «Отмена» — пропустить их."_s.arg(known));
        duplicates = answer == TAnswer::Yes ? VCardStore::TDuplicates::Update
            : answer == TAnswer::No         ? VCardStore::TDuplicates::Add
                                            : VCardStore::TDuplicates::Skip;
    }

    VCardStore::TReport report;
    {
        TFVCardProgress progress(ImportCaption, parent);
        report = VCardStore::Import(
            db, prepared, duplicates, [&progress](int done, int total) { return progress.Step(done, total); });
    }
    if (report.Written() && report.Added + report.Updated > 0)
        AnnounceObjectSaved(Kind::Person);
    TFVCardReport dialog(report, path, parent);
    dialog.exec();
    return report.Written() && report.Added + report.Updated > 0;
}

bool ExportPeople(QWidget* parent, const QStringList& ids, const QString& version, const QString& name)
{
    TMyDataBase* db = CurrentDatabase();
    if (!db || ids.isEmpty())
        return false;
    const QString offered = QDir(StartFolder()).filePath((name.trimmed().isEmpty() ? u"contacts"_s : name.trimmed()) + u".vcf"_s);
    const QString path = FileDialogs().SaveFileName(ExportCaption, offered, FileFilter);
    if (path.isEmpty())
        return false;
    QByteArray data;
    {
        TFVCardProgress progress(ExportCaption, parent);
        data = VCardStore::Export(db, ids, version, [&progress](int done, int total) { return progress.Step(done, total); });
        if (progress.Stopped())
            return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        Messages().ShowMessage(u"Не удалось записать файл "_s + QDir::toNativeSeparators(path));
        return false;
    }
    Messages().ShowMessage(
        u"Выгружено людей: %1\rФайл: %2"_s.arg(ids.size()).arg(QDir::toNativeSeparators(path)));
    return true;
}

void RegisterVCardScreens()
{
    Screens::RegisterMainCommand({u"aImportVCard"_s, ImportCaption, u"Импорт контактов из файла vCard (.vcf)"_s, 1,
        [](QWidget* window) { ImportFile(window); }});
}

} // namespace VCardScreens
