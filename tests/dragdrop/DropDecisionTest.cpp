#include "dragdrop/DropDecision.h"
#include "DragDropFixture.h"
#include "dragdrop/DropZone.h"
#include "dragdrop/FileList.h"
#include "dragdrop/VirtualFiles.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QTextEdit>
#include <QWidget>

#include <filesystem>

namespace {

using Kind = TDropDecision::TKind;

class DropTest : public DragDropFixture
{
protected:
    QByteArray Uri(const std::string& name)
    {
        return QUrl::fromLocalFile(QString::fromStdString(FDir.File(name))).toEncoded();
    }
    // The names in the scratch folder, or in the work folder.
    std::vector<std::string> Paths(const std::vector<std::string>& names, bool work = false)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names) {
            paths.push_back(work ? FSettings.TempPath + "/" + name : FDir.File(name));
        }
        return paths;
    }
};

// A drag entering the widget and dropped there, as the toolkit delivers it; the action taken.
Qt::DropAction DropOn(QWidget& widget, QMimeData& data, Qt::DropActions offered, QPoint at = QPoint(5, 5))
{
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &enter);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

using TFormats = std::vector<std::pair<QString, QByteArray>>;

} // namespace

TEST_F(DropTest, AnOfferIsDecidedInItsOrderOfKinds)
{
    const QString wrapped = QStringLiteral("application/x-qt-windows-mime;value=\"%1\"");
    TFormats late;
    for (int n = 0; n < 99; ++n) {
        late.emplace_back(QStringLiteral("application/x-filler-%1").arg(n), "x");
    }
    late.emplace_back("text/uri-list", Uri("late.txt"));
    struct TOffer
    {
        const char* FWhat;
        TFormats FFormats;
        Kind FKind;
        std::vector<std::string> FFiles; // work-folder names for virtual files, scratch names for files
        std::string FText = "";          // contained in the decided text
        bool FRich = false;
    };
    const TOffer rows[] = {
        TOffer("an offer's hundredth format is not looked at", late, Kind::Nothing, {}),
        TOffer("a file manager's three files, with a comment line, keep their order",
               {{"text/uri-list",
                 "# dragged\r\n" + Uri("b.txt") + "\r\n" + Uri("a.txt") + "\r\n" + Uri("c d.txt") + "\r\n"}},
               Kind::Files, {"b.txt", "a.txt", "c d.txt"}),
        TOffer("remote addresses are passed over, the local file stays",
               {{"text/uri-list", "https://example.org/a.txt\r\n" + Uri("local.txt") + "\r\nsftp://host/b\r\n"}},
               Kind::Files, {"local.txt"}),
        TOffer("a browser's link falls through to its text",
               {{"text/uri-list", "https://example.org/\r\n"}, {"text/plain", "https://example.org/"}}, Kind::Text, {},
               "https://example.org/"),
        TOffer("rich and plain text is rich", {{"text/rtf", "{\\rtf1\\ansi {\\b strong}}"}, {"text/plain", "strong"}},
               Kind::Text, {}, "{\\rtf1\\ansi {\\b strong}}", true),
        TOffer("HTML becomes RTF",
               {{"text/html", "<p>see <b>bold</b> &amp; more</p>"}, {"text/plain", "see bold & more"}}, Kind::Text, {},
               "\\b bold", true),
        TOffer("virtual files are written without the blanks around their names; only the first has contents",
               {{"FileGroupDescriptor", Descriptor({"  report.txt \t", "second.txt"}, false)},
                {"FileContents", "the report"},
                {"text/plain", "not this"}},
               Kind::VirtualFiles, {"report.txt"}),
        TOffer("UTF-16 names under the toolkit's wrapped format names",
               {{wrapped.arg("FileGroupDescriptorW"), Descriptor({"Übersicht.pdf"}, true)},
                {wrapped.arg("FileContents"), "%PDF"}},
               Kind::VirtualFiles, {"Übersicht.pdf"}),
        TOffer("a virtual file named as a path is refused and the offer falls through to its text",
               {{"FileGroupDescriptor", Descriptor({"../escaped.txt"}, false)},
                {"FileContents", "x"},
                {"text/plain", "fallback"}},
               Kind::Text, {}, "fallback"),
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.FWhat);
        QMimeData data;
        for (const auto& [format, bytes] : row.FFormats) {
            data.setData(format, bytes);
        }
        const TDropDecision decision = TDropDecision::Of(data, FSettings.TempPath);
        EXPECT_EQ(decision.FKind, row.FKind);
        EXPECT_EQ(decision.FFiles, row.FKind == Kind::VirtualFiles ? Paths(row.FFiles, true) : Paths(row.FFiles));
        EXPECT_NE(decision.FText.find(row.FText), std::string::npos) << decision.FText;
        EXPECT_EQ(decision.FRich, row.FRich);
    }
    EXPECT_EQ(ReadWholeFile(Paths({"report.txt"}, true)[0]), "the report");
    EXPECT_EQ(ReadWholeFile(Paths({"Übersicht.pdf"}, true)[0]), "%PDF");
    EXPECT_FALSE(std::filesystem::exists(FDir.File("escaped.txt")));
}

TEST_F(DropTest, VirtualFilesPassOverWhatCannotBeHadAndKeepNamesApart)
{
    const std::vector<std::string> written = VirtualFiles::Write(
        {"a.txt", "b.txt", "a.txt", ".", "c.txt"},
        [](int index) -> std::optional<QByteArray> {
            if (index == 1) {
                return std::nullopt;
            }
            return QByteArray("file ") + QByteArray::number(index);
        },
        FSettings.TempPath);
    EXPECT_EQ(written, Paths({"a.txt", "1/a.txt", "c.txt"}, true));
    EXPECT_EQ(ReadWholeFile(written[0]) + ReadWholeFile(written[1]) + ReadWholeFile(written[2]), "file 0file 2file 4");

    QByteArray claimsMore = Descriptor({"one.txt"}, false);
    claimsMore[0] = char(200);
    EXPECT_EQ(VirtualFiles::DescriptorNames(claimsMore, false), std::vector<std::string>{"one.txt"})
        << "a count past the block's end";
}

TEST_F(DropTest, FilesMovedOrCutInAFileManagerAreTakenAsCopies)
{
    EXPECT_EQ(TDropDecision::Action(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction), Qt::CopyAction);
    EXPECT_EQ(TDropDecision::Action(Qt::CopyAction | Qt::LinkAction, Qt::LinkAction), Qt::LinkAction);
    QMimeData cut;
    cut.setData("x-special/gnome-copied-files", "cut\n" + Uri("one.txt") + "\n" + Uri("two.txt"));
    EXPECT_EQ(FileList::LocalFiles(cut), QStringList({QString::fromStdString(FDir.File("one.txt")),
                                                      QString::fromStdString(FDir.File("two.txt"))}));
    // The copy the program puts on the clipboard is checked between real processes by
    // tests/scripts/drag_and_drop.sh.
}

// Files dropped from another program are checked between real processes by tests/scripts/drag_and_drop.sh.
TEST_F(DropTest, ADroppedVirtualFileReachesTheWindowAfterTheDropAsAWorkFile)
{
    TestWindow& window = NewWindow();
    QWidget area;
    TDropZone zone(FCommands, &window, FSettings, FTemporaryFiles, &area);
    zone.Watch(area);
    QMimeData virtualFile;
    virtualFile.setData("FileGroupDescriptor", Descriptor({"attached.doc"}, false));
    virtualFile.setData("FileContents", "doc");
    EXPECT_EQ(DropOn(area, virtualFile, Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    EXPECT_TRUE(window.AttachmentNames().empty()) << "nothing happens inside the drop";
    QApplication::processEvents();
    EXPECT_EQ(window.AttachmentNames(), std::vector<std::string>{"attached.doc"});
    EXPECT_TRUE(FTemporaryFiles.Contains(Paths({"attached.doc"}, true)[0]));
}

TEST_F(DropTest, TextDroppedOnTheEditorIsInsertedWhereItLandsAndElsewhereReplacesTheMessage)
{
    struct TCase
    {
        const char* name;
        bool onEditor;
        bool files;
        std::string editorAfter;    // the editor's text after the drop
        std::string memoAfter;      // the container's memo after the drop
        std::vector<std::string> attached;
    };
    const std::vector<TCase> cases{
        {"text on the editor", true, false, "Dear dropped Bob", "", {}},
        {"files on the editor", true, true, "Dear Bob", "", {"dropped.txt"}},
        {"text on the list", false, false, "Dear Bob", "dropped", {}},
    };
    WriteWholeFile(FDir.File("dropped.txt"), "x");
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.name);
        TestWindow& window = NewWindow();
        QTextEdit editor;
        editor.setPlainText("Dear Bob");
        editor.resize(300, 100);
        editor.show();
        QWidget list;
        TDropZone zone(FCommands, &window, FSettings, FTemporaryFiles, nullptr);
        zone.Watch(editor, TDropZone::TTextDrop::ToEditor);
        zone.Watch(list);
        QTextCursor landing(editor.document());
        landing.setPosition(5);
        QMimeData data;
        if (test.files) {
            data.setData("text/uri-list", Uri("dropped.txt"));
        } else {
            data.setText("dropped ");
        }
        QWidget& target = test.onEditor ? *editor.viewport() : list;
        EXPECT_NE(DropOn(target, data, Qt::CopyAction, editor.cursorRect(landing).center()), Qt::IgnoreAction);
        QApplication::processEvents();
        EXPECT_EQ(editor.toPlainText().toStdString(), test.editorAfter);
        EXPECT_EQ(window.Shown().Container().GetMemo(), test.memoAfter);
        EXPECT_EQ(window.AttachmentNames(), test.attached);
        editor.undo();
        EXPECT_EQ(editor.toPlainText().toStdString(), "Dear Bob") << "the drop is undone";
    }
}
