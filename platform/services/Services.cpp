#include "platform/services/Services.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "platform/Paths.h"
#include "platform/services/QtNames.h"
#include "platform/settings/Settings.h"

namespace ORBAX_Platform {
namespace {

class QtMessageBoxes : public MessageBoxService {
public:
    MessageResult show(QWidget* parent, const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                       MessageIcon icon) override
    {
        QMessageBox box(parent);
        box.setText(display_text(text));
        box.setWindowTitle(display_text(title));
        switch (icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        }
        QMessageBox::StandardButtons standard;
        switch (buttons) {
        case MessageButtons::Ok: standard = QMessageBox::Ok; break;
        case MessageButtons::OkCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
        case MessageButtons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
        case MessageButtons::YesNoCancel: standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
        }
        box.setStandardButtons(standard);
        switch (box.exec()) {
        case QMessageBox::Ok: return MessageResult::Ok;
        case QMessageBox::Yes: return MessageResult::Yes;
        case QMessageBox::No: return MessageResult::No;
        default: return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
        }
    }
};

class QtFilePrompts : public FilePromptService {
public:
    bool openFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                      QString& selectedFilter, QString& chosen) override
    {
        chosen = QFileDialog::getOpenFileName(parent, caption, folder, filter, &selectedFilter);
        return !chosen.isEmpty();
    }
    bool openFileNames(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                       QString& selectedFilter, QStringList& chosen) override
    {
        chosen = QFileDialog::getOpenFileNames(parent, caption, folder, filter, &selectedFilter);
        return !chosen.isEmpty();
    }
    bool saveFileName(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter,
                      QString& selectedFilter, QString& chosen) override
    {
        chosen = QFileDialog::getSaveFileName(parent, caption, suggested, filter, &selectedFilter);
        return !chosen.isEmpty();
    }
    bool saveFileNameWithSuffixes(QWidget* parent, const QString& caption, const QString& suggested,
                                  const QString& filter, QString& selectedFilter, QString& chosen,
                                  const QStringList& suffixes) override
    {
        // Qt's own dialog: it adds the suffix before it asks about overwriting, so the question is
        // about the file that will be written.
        QFileDialog dialog(parent, caption, suggested, filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        const QStringList filters = dialog.nameFilters();
        auto suffixFor = [&filters, &suffixes](const QString& name) {
            const qsizetype index = filters.indexOf(name);
            return index >= 0 && index < suffixes.size() ? suffixes[index] : QString();
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffixFor](const QString& name) { dialog.setDefaultSuffix(suffixFor(name)); });
        if (!selectedFilter.isEmpty())
            dialog.selectNameFilter(selectedFilter);
        dialog.setDefaultSuffix(suffixFor(dialog.selectedNameFilter()));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        chosen = dialog.selectedFiles().front();
        selectedFilter = dialog.selectedNameFilter();
        return !chosen.isEmpty();
    }
    bool chooseFont(QWidget* parent, const QFont& initial, QFont& chosen) override
    {
        bool ok = false;
        // Scalable fonts only: every font is drawn at sizes in points on screen and paper alike.
        QFont font = QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::ScalableFonts);
        if (ok)
            chosen = font;
        return ok;
    }
    bool chooseColour(QWidget* parent, const QColor& initial, QColor& chosen) override
    {
        QColor colour = QColorDialog::getColor(initial, parent);
        if (!colour.isValid())
            return false;
        chosen = colour;
        return true;
    }
};

// A context number names the page "context-<hex>.htm".
class QtHelp : public HelpService {
public:
    bool showTopic(const std::wstring& topic) override { return openPage(path_from_wide(topic)); }
    bool showContext(unsigned context) override
    {
        return openPage(QStringLiteral("context-%1.htm").arg(context, 0, 16).toStdString());
    }
    bool showContents() override { return openPage("index.htm"); }

private:
    // The folder is looked at by its own bytes, whatever its name: a program folder whose name is not
    // UTF-8 holds its pages all the same.
    static bool openPage(const std::filesystem::path& page)
    {
        const std::filesystem::path folder = help_folder();
        auto isPage = [](const std::filesystem::path& path) {
            std::error_code error;
            return std::filesystem::is_regular_file(path, error);
        };
        std::filesystem::path path = folder / page;
        if (page.empty() || !isPage(path))
            path = folder / "index.htm";
        if (!isPage(path))
            return false;
        // The browser reports a page it cannot show itself.
        QDesktopServices::openUrl(url_from_name(wide_from_path(path)));
        return true;
    }
};

class QtShell : public ShellService {
public:
    bool openFile(const std::wstring& path, std::wstring& errorText) override
    {
        std::error_code error;
        if (!std::filesystem::exists(path_from_wide(path), error)) {
            // The desktop's opener gives no reason of its own; a missing file is the common one.
            errorText = wide_from_utf8(std::generic_category().message(error ? error.value() : ENOENT));
            return false;
        }
        if (QDesktopServices::openUrl(url_from_name(path)))
            return true;
        errorText = L"No program is associated with this file";
        return false;
    }
    bool openUrl(const QString& url) override { return QDesktopServices::openUrl(QUrl(url)); }
};

class QtClipboard : public ClipboardService {
public:
    void setText(const std::wstring& text) override
    {
        QGuiApplication::clipboard()->setText(QString::fromStdWString(text));
    }
    std::wstring text() const override { return QGuiApplication::clipboard()->text().toStdWString(); }
    void setMimeData(QMimeData* data) override { QGuiApplication::clipboard()->setMimeData(data); }
    const QMimeData* mimeData() const override { return QGuiApplication::clipboard()->mimeData(); }
    void watch(QObject* context, std::function<void()> changed) override
    {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            QObject::connect(clipboard, &QClipboard::dataChanged, context, std::move(changed));
    }
};

class QtDialogs : public DialogService {
public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

QtMessageBoxes g_qtMessageBoxes;
QtDialogs g_qtDialogs;

class QtBeeps : public BeepService {
public:
    void beep() override { QApplication::beep(); }
};

QtBeeps g_qtBeeps;
BeepService* g_beeps = nullptr;
QtFilePrompts g_qtFilePrompts;
QtHelp g_qtHelp;
QtShell g_qtShell;
QtClipboard g_qtClipboard;

MessageBoxService* g_messageBoxes = nullptr;
FilePromptService* g_filePrompts = nullptr;
HelpService* g_help = nullptr;
ShellService* g_shell = nullptr;
ClipboardService* g_clipboard = nullptr;
DialogService* g_dialogs = nullptr;

} // namespace

std::filesystem::path help_folder() { return Settings::ProgramFolder() / "help"; }

MessageBoxService& messageBoxes() { return g_messageBoxes ? *g_messageBoxes : g_qtMessageBoxes; }
FilePromptService& filePrompts() { return g_filePrompts ? *g_filePrompts : g_qtFilePrompts; }
HelpService& help() { return g_help ? *g_help : g_qtHelp; }
ShellService& shell() { return g_shell ? *g_shell : g_qtShell; }
ClipboardService& clipboard() { return g_clipboard ? *g_clipboard : g_qtClipboard; }
DialogService& dialogs() { return g_dialogs ? *g_dialogs : g_qtDialogs; }
BeepService& beeps() { return g_beeps ? *g_beeps : g_qtBeeps; }

void setMessageBoxService(MessageBoxService* service) { g_messageBoxes = service; }
void setFilePromptService(FilePromptService* service) { g_filePrompts = service; }
void setHelpService(HelpService* service) { g_help = service; }
void setShellService(ShellService* service) { g_shell = service; }
void setClipboardService(ClipboardService* service) { g_clipboard = service; }
void setDialogService(DialogService* service) { g_dialogs = service; }
void setBeepService(BeepService* service) { g_beeps = service; }

void beep() { beeps().beep(); }

namespace {
std::wstring g_messageTitle;
}

void setMessageTitle(const std::wstring& title) { g_messageTitle = title; }

MessageResult showMessage(QWidget* parent, const std::wstring& text, MessageButtons buttons, MessageIcon icon)
{
    return messageBoxes().show(parent, text, g_messageTitle, buttons, icon);
}

} // namespace ORBAX_Platform
