// The photo dialog with its editor (loading, pasting, zooming, dragging the crop frame, clearing) and the
// whole way of a photo in the real main window: loaded, cropped and stored on a person, shown in the people
// list's row and on the card, cleared to NULL, and kept when the dialog is cancelled.
#include "contacts/ContactScreens.h"
#include "contacts/EditPeople.h"
#include "contacts/FindPeople.h"
#include "contacts/PeopleObjFrame.h"
#include "photos/ImgEditFrame.h"
#include "photos/PhotoCut.h"
#include "photos/PhotoScreens.h"
#include "platform/ProgramPaths.h"
#include "shell/frames/MainModalForm.h"
#include "shell/frames/ScreenRegistry.h"
#include "shell/mainwindow/Main.h"
#include "shell/widgets/DBGrid.h"
#include "shell/widgets/DBImageFrame.h"
#include "shell/widgets/ListModel.h"
#include "store/ObjectKinds.h"
#include "store/ObjectRecord.h"
#include "tests/photos/TestPictures.h"
#include "tests/shell/DialogScript.h"
#include "tests/support/ScriptedClipboard.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDatabase.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <QToolBar>

#include <cstdlib>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& global, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Presses the left button on \a widget, moves the mouse by \a offset in two steps and lets go.
void Drag(QWidget* widget, const QPoint& offset)
{
    const QPoint start = widget->mapToGlobal(widget->rect().center());
    SendMouse(widget, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseMove, start + offset / 2, Qt::NoButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseMove, start + offset, Qt::NoButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, start + offset, Qt::LeftButton, Qt::NoButton);
}

void Wheel(QWidget* widget, int turn)
{
    const QPointF at = widget->rect().center();
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, turn), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

bool IsJpegOf(const QByteArray& bytes, const QSize& size)
{
    QImage decoded;
    return bytes.startsWith("\xFF\xD8") && decoded.loadFromData(bytes, "JPEG") && decoded.size() == size;
}

bool Near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 && std::abs(a.blue() - b.blue()) < 40;
}

} // namespace

class TestPhotoEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void LoadedPictureZoomsWithBars();
    void CropFrameDragsInsideTheBox();
    void WheelScrollAndKeysMoveTheCut();
    void BadFilesAndEmptyClipboardChangeNothing();
    void ConfirmedDialogHoldsOneJpeg();
    void PhotoOfAPersonInTheMainWindow();

private:
    QString SavedPicture(const QString& name, const QImage& picture);
    TImgEditFrame* OpenDialog(TMainModalForm& dialog);

    std::unique_ptr<TTempDatabase> m_fixture;
    std::unique_ptr<TScriptedMessages> m_messages;
    std::unique_ptr<TScriptedFileDialogs> m_files;
    std::unique_ptr<TScriptedClipboard> m_clipboard;
};

void TestPhotoEditor::initTestCase()
{
    ZORVIN_REQUIRE_TEST_ENGINE();
}

void TestPhotoEditor::init()
{
    m_fixture = std::make_unique<TTempDatabase>();
    QVERIFY(m_fixture->IsOpen());
    ProgramPaths::SetProgramFolder(m_fixture->Folder());
    m_messages = std::make_unique<TScriptedMessages>();
    m_files = std::make_unique<TScriptedFileDialogs>();
    m_clipboard = std::make_unique<TScriptedClipboard>();
    RegisterContactScreens();
    RegisterPhotoScreens();
}

void TestPhotoEditor::cleanup()
{
    m_clipboard.reset();
    m_files.reset();
    m_messages.reset();
    ProgramPaths::SetProgramFolder(QString());
    m_fixture.reset();
    Screens::Clear();
}

QString TestPhotoEditor::SavedPicture(const QString& name, const QImage& picture)
{
    const QString path = QDir(m_fixture->Folder()).filePath(name);
    return picture.save(path) ? path : QString();
}

// The photo dialog as the photo frame opens it, with its editor.
TImgEditFrame* TestPhotoEditor::OpenDialog(TMainModalForm& dialog)
{
    TDBMainInfo photo;
    photo.ObjType = TDBImageFrame::PhotoDialogKind;
    dialog.DBMain()->Assign(&photo);
    dialog.show();
    return qobject_cast<TImgEditFrame*>(dialog.Frame());
}

void TestPhotoEditor::LoadedPictureZoomsWithBars()
{
    TMainModalForm dialog;
    TImgEditFrame* editor = OpenDialog(dialog);
    QVERIFY(editor);
    QCOMPARE(dialog.windowTitle(), u"Выбор фото"_s);
    QCOMPARE(dialog.AOk()->text(), u"Обновить"_s);
    QCOMPARE(editor->MSlider()->minimum(), 0);
    QCOMPARE(editor->MSlider()->maximum(), 200);
    QVERIFY(editor->sHB()->isHidden() && editor->sVB()->isHidden());

    // Loaded through the file dialog: natural size at zoom 100, the bar only where it does not fit.
    m_files->QueueChoice(SavedPicture(u"portrait.png"_s, Halves(QSize(400, 600))));
    editor->MSlider()->setValue(60);
    editor->tbLoad()->trigger();
    QCOMPARE(m_files->Requests(), QStringList{u"open: Выбор фото |  | Image Format (*.bmp *.jpg *.png)"_s});
    QCOMPARE(editor->MSlider()->value(), 100);
    QCOMPARE(editor->NaturalSize(), QSize(400, 600));
    QCOMPARE(editor->LImage()->size(), QSize(400, 600));
    QVERIFY(editor->sHB()->isHidden());
    QVERIFY(!editor->sVB()->isHidden());
    QCOMPARE(editor->sVB()->maximum(), 600 - editor->sBox()->height());
    QCOMPARE(editor->sVB()->singleStep(), editor->sVB()->maximum() / 10);
    QCOMPARE(editor->sVB()->pageStep(), editor->sVB()->maximum() / 4);

    editor->MSlider()->setValue(150);
    QCOMPARE(editor->LImage()->size(), QSize(600, 900));
    QVERIFY(!editor->sHB()->isHidden() && !editor->sVB()->isHidden());
    QCOMPARE(editor->sHB()->maximum(), 600 - editor->sBox()->width());

    // Scrolled to the far end, then zoomed out: the picture's edge follows the box's edge.
    editor->sVB()->setValue(editor->sVB()->maximum());
    editor->MSlider()->setValue(120);
    QCOMPARE(editor->LImage()->size(), QSize(480, 720));
    QCOMPARE(editor->sVB()->value(), 720 - editor->sBox()->height());
    QCOMPARE(editor->LImage()->y() + editor->LImage()->height(), editor->sBox()->height());

    // Zoom 0 is one percent: a tiny picture, no bars, still cut.
    editor->MSlider()->setValue(0);
    QCOMPARE(editor->LImage()->size(), QSize(4, 6));
    QVERIFY(editor->sHB()->isHidden() && editor->sVB()->isHidden());
    QCOMPARE(editor->LImage()->pos(), QPoint(0, 0));
    QCOMPARE(editor->pFoto()->Picture().size(), QSize(PhotoCut::CutWidth, PhotoCut::CutHeight));

    // A huge photo is scaled down as it is read.
    m_files->QueueChoice(SavedPicture(u"huge.jpg"_s, Halves(QSize(4800, 3600))));
    editor->tbLoad()->trigger();
    QCOMPARE(editor->NaturalSize(), QSize(1600, 1200));
    QCOMPARE(editor->Picture().size(), QSize(1600, 1200));
    QCOMPARE(m_messages->Shown(), QStringList());
}

void TestPhotoEditor::CropFrameDragsInsideTheBox()
{
    TMainModalForm dialog;
    TImgEditFrame* editor = OpenDialog(dialog);
    QVERIFY(editor);
    m_files->QueueChoice(SavedPicture(u"wide.png"_s, Halves(QSize(800, 300))));
    editor->tbLoad()->trigger();
    QWidget* shape = editor->Shp();
    QCOMPARE(shape->size(), QSize(PhotoCut::FrameWidth, PhotoCut::FrameHeight));

    // Dragged by the mouse offset.
    const QPoint before = shape->pos();
    Drag(shape, QPoint(-30, 20));
    QCOMPARE(shape->pos(), before + QPoint(-30, 20));

    // Beyond the left and top edges it stops at them; the cut-out is the red half's corner.
    Drag(shape, QPoint(-1000, -1000));
    QCOMPARE(shape->pos(), QPoint(0, 0));
    QCOMPARE(editor->CutTopLeft(), QPoint(0, 0));
    QCOMPARE(editor->pFoto()->Picture().pixelColor(50, 50), QColor(Qt::red));

    // Beyond the right and bottom edges it stops there too (the box lost the horizontal bar's height).
    Drag(shape, QPoint(2000, 2000));
    QVERIFY(!editor->sHB()->isHidden());
    QCOMPARE(shape->pos(), QPoint(editor->sBox()->width() - 102, editor->sBox()->height() - 117));
    QCOMPARE(editor->CutTopLeft(), shape->pos());

    // Scrolling keeps the frame where it is on screen and cuts further right: blue.
    const QPoint onScreen = shape->pos();
    editor->sHB()->setValue(editor->sHB()->maximum());
    QCOMPARE(shape->pos(), onScreen);
    QCOMPARE(editor->LImage()->x(), -editor->sHB()->maximum());
    QCOMPARE(editor->CutTopLeft(), onScreen + QPoint(editor->sHB()->maximum(), 0));
    QCOMPARE(editor->pFoto()->Picture().pixelColor(50, 50), QColor(Qt::blue));

    // Nothing was encoded while dragging: the stored bytes wait for the dialog's confirmation.
    QVERIFY(editor->pFoto()->PictureBytes().isEmpty());
    QVERIFY(dialog.DBMain()->Foto.isEmpty());
}

void TestPhotoEditor::WheelScrollAndKeysMoveTheCut()
{
    TMainModalForm dialog;
    TImgEditFrame* editor = OpenDialog(dialog);
    QVERIFY(editor);
    m_files->QueueChoice(SavedPicture(u"square.png"_s, Halves(QSize(300, 300))));
    editor->tbLoad()->trigger();

    // A wheel turn towards the user over the box (here over the crop frame in it) zooms in one step, a turn
    // away zooms out; over the cut-out it does nothing.
    const int step = editor->MSlider()->singleStep();
    Wheel(editor->Shp(), -120);
    QCOMPARE(editor->MSlider()->value(), 100 + step);
    QCOMPARE(editor->LImage()->size(), PhotoCut::ZoomedSize(QSize(300, 300), 100 + step));
    Wheel(editor->LImage(), 120);
    Wheel(editor->sBox(), 120);
    QCOMPARE(editor->MSlider()->value(), 100 - step);
    Wheel(editor->pFoto(), -120);
    QCOMPARE(editor->MSlider()->value(), 100 - step);

    // The arrow keys move the crop frame while the box has the focus, Shift by ten.
    editor->MSlider()->setValue(100);
    editor->MoveShape(QPoint(20, 20));
    QTest::keyClick(editor->sBox(), Qt::Key_Right);
    QTest::keyClick(editor->sBox(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(editor->Shp()->pos(), QPoint(21, 30));
    QTest::keyClick(editor->sBox(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(editor->sBox(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(editor->sBox(), Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(editor->Shp()->pos(), QPoint(0, 30));
    QCOMPARE(editor->pFoto()->Picture().pixelColor(10, 10), QColor(Qt::red));
}

void TestPhotoEditor::BadFilesAndEmptyClipboardChangeNothing()
{
    TMainModalForm dialog;
    TImgEditFrame* editor = OpenDialog(dialog);
    QVERIFY(editor);

    // Nothing on the clipboard, with no picture loaded yet: a message, no cut-out.
    m_clipboard->SetText(u"не картинка"_s);
    editor->tbPaste()->trigger();
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().startsWith(u"В буфере обмена нет изображения"_s));
    QVERIFY(editor->Picture().isNull());
    QVERIFY(editor->pFoto()->Picture().isNull());
    QVERIFY(!editor->pFoto()->Changed());

    // A picture pasted as the clipboard's PNG bytes.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(Halves(QSize(500, 400)).save(&buffer, "PNG"));
    m_clipboard->SetPicture(png);
    editor->tbPaste()->trigger();
    QCOMPARE(editor->NaturalSize(), QSize(500, 400));
    QCOMPARE(editor->pFoto()->Picture().size(), QSize(100, 115));
    const QImage picture = editor->Picture();
    const QImage cut = editor->pFoto()->Picture();

    // A file that is no picture, under a picture's name, and a clipboard with text again: messages, and the
    // working picture and the cut-out stay as they were.
    const QString notPicture = QDir(m_fixture->Folder()).filePath(u"заметки.jpg"_s);
    QFile text(notPicture);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Это не фото");
    text.close();
    m_messages->ClearShown();
    m_files->QueueChoice(notPicture);
    editor->tbLoad()->trigger();
    QCOMPARE(m_messages->Shown().size(), 1);
    QVERIFY(m_messages->Shown().first().contains(notPicture));
    m_clipboard->SetPicture(QByteArray());
    editor->tbPaste()->trigger();
    QCOMPARE(m_messages->Shown().size(), 2);
    QCOMPARE(editor->Picture(), picture);
    QCOMPARE(editor->pFoto()->Picture(), cut);

    // A cancelled file choice says nothing and changes nothing.
    m_files->QueueChoice(QString());
    editor->tbLoad()->trigger();
    QCOMPARE(m_messages->Shown().size(), 2);
    QCOMPARE(editor->Picture(), picture);
}

void TestPhotoEditor::ConfirmedDialogHoldsOneJpeg()
{
    TMainModalForm dialog;
    TImgEditFrame* editor = OpenDialog(dialog);
    QVERIFY(editor);
    m_files->QueueChoice(SavedPicture(u"portrait.bmp"_s, Halves(QSize(400, 600))));
    editor->tbLoad()->trigger();
    editor->MoveShape(QPoint(0, 0));
    dialog.AOkExecute();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QByteArray stored = dialog.DBMain()->Foto;
    QVERIFY(IsJpegOf(stored, QSize(100, 115)));
    QCOMPARE(editor->pFoto()->PictureBytes(), stored);
    QImage decoded;
    QVERIFY(decoded.loadFromData(stored, "JPEG"));
    QVERIFY(Near(decoded.pixelColor(50, 50), Qt::red));
    // The dialog's record is of a dialog kind: nothing reached the database.
    QCOMPARE(m_fixture->Scalar(u"select count(*) from AllInfo where Foto is not null"_s).toInt(), 0);
}

void TestPhotoEditor::PhotoOfAPersonInTheMainWindow()
{
    TDBMainInfo person;
    person.ObjType = Kind::Person;
    person.Str1 = u"Петров"_s;
    person.Str2 = u"Иван"_s;
    QCOMPARE(person.Save(), 0);
    const QString id = person.Obj.Text();
    const QString picture = SavedPicture(u"петров.jpg"_s, Halves(QSize(1200, 900)));

    // The settings file opens the fixture's database, a file or a server database.
    QFile ini(QDir(m_fixture->Folder()).filePath(u"Zorvin.ini"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(m_fixture->SettingsLine().toUtf8() + "\r\n");
    ini.close();
    TMain main;
    QTRY_VERIFY(main.IsStarted());
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    // F1, Enter: the person's card, with the photo frame in its editor.
    QTest::keyClick(&main, Qt::Key_F1);
    auto* people = qobject_cast<TFindPeople*>(main.findChild<QStackedWidget*>(u"SideLists"_s)->currentWidget());
    QVERIFY(people);
    QTRY_COMPARE(people->ListGrid()->Model()->RecordCount(), 1);
    QTest::keyClick(people->eFindEdit()->lineEdit(), Qt::Key_Return);
    auto* card = qobject_cast<TPeopleObjFrame*>(main.findChild<QStackedWidget*>(u"ObjCards"_s)->currentWidget());
    QVERIFY(card);
    auto* editor = dynamic_cast<TFEditPeople*>(card->EditFrame());
    QVERIFY(editor);
    TDBImageFrame* frame = editor->pFoto();
    QVERIFY(frame->Picture().isNull());

    // A click on the frame: the photo dialog; the photo is loaded, zoomed in, cropped by dragging and taken.
    QByteArray taken;
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        auto* photo = qobject_cast<TImgEditFrame*>(dialog.Frame());
        QVERIFY(photo);
        m_files->QueueChoice(picture);
        QTest::mouseClick(photo->tbarImg()->widgetForAction(photo->tbLoad()), Qt::LeftButton);
        Wheel(photo->sBox(), -120);
        Drag(photo->Shp(), QPoint(-1000, -1000));
        dialog.AOkExecute();
        taken = dialog.DBMain()->Foto;
    });
    QTest::mouseClick(frame, Qt::LeftButton);
    QVERIFY(IsJpegOf(taken, QSize(100, 115)));
    QCOMPARE(frame->PictureBytes(), taken);
    QVERIFY(frame->Changed());

    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    // Saved with the card (Ctrl+S): the row holds the dialog's bytes as they were; the list's row and the
    // card show the photo.
    QTest::keyClick(editor->eFamily(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_messages->Shown(), QStringList());
    TDBMainInfo stored;
    QVERIFY(stored.SetObj(id));
    QCOMPARE(stored.Foto, taken);
    TListModel* model = people->ListGrid()->Model();
    QTRY_COMPARE(model->FieldValue(0, u"Foto"_s).toByteArray(), taken);
    const QImage row = people->ListGrid()->grab().toImage();
    const QRect cell = people->ListGrid()->visualRect(model->index(0, 0));
    QVERIFY(Near(row.pixelColor(cell.center() + people->ListGrid()->viewport()->pos()), Qt::red));
    QCOMPARE(frame->Picture().size(), QSize(100, 115));
    QVERIFY(Near(frame->Picture().pixelColor(50, 50), Qt::red));

    // A cancelled dialog leaves the photo as it was.
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        auto* photo = qobject_cast<TImgEditFrame*>(dialog.Frame());
        QVERIFY(photo);
        photo->tbClear()->trigger();
        Press(Qt::Key_Escape);
    });
    QTest::mouseClick(frame, Qt::LeftButton);
    QCOMPARE(frame->PictureBytes(), taken);
    QCOMPARE(frame->Picture().size(), QSize(100, 115));

    // "Очистить" and OK, then the card's save: Foto is NULL, and the list's row has no photo.
    WhenDialogShown<TMainModalForm>([&](TMainModalForm& dialog) {
        auto* photo = qobject_cast<TImgEditFrame*>(dialog.Frame());
        QVERIFY(photo);
        QVERIFY(photo->pFoto()->Picture().size() == QSize(100, 115));
        QTest::mouseClick(photo->tbarImg()->widgetForAction(photo->tbClear()), Qt::LeftButton);
        QVERIFY(photo->pFoto()->Picture().isNull());
        dialog.AOkExecute();
    });
    QTest::mouseClick(frame, Qt::LeftButton);
    QVERIFY(frame->Picture().isNull());
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(editor->eFamily(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(m_messages->Shown(), QStringList());
    QCOMPARE(m_fixture->Scalar(u"select count(*) from AllInfo where ObjId = '%1' and Foto is null"_s.arg(id)).toInt(), 1);
    QTRY_VERIFY(model->FieldValue(0, u"Foto"_s).toByteArray().isEmpty());
}

QTEST_MAIN(TestPhotoEditor)
#include "tst_photoeditor.moc"
