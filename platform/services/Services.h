#pragma once
// The desktop program never calls a modal window, the help viewer, the desktop's file opener or the
// clipboard directly: it goes through these services. Each has one Qt implementation, installed by
// default, and can be replaced (tests install recording versions).
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QWidget;
class QDialog;
class QMimeData;
class QObject;

namespace ORBAX_Platform {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows `text` under `title` with the buttons and icon; returns the button chosen (closing the box
    // counts as Cancel, or No when there is no Cancel button).
    virtual MessageResult show(QWidget* parent, const std::wstring& text, const std::wstring& title,
                               MessageButtons buttons, MessageIcon icon) = 0;
};

class FilePromptService {
public:
    virtual ~FilePromptService() = default;
    // Each returns false when the user cancels. `filter` holds the filters separated by ";;";
    // `selectedFilter` is the filter shown first and receives the one chosen.
    virtual bool openFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                              QString& selectedFilter, QString& chosen) = 0;
    virtual bool openFileNames(QWidget* parent, const QString& caption, const QString& folder, const QString& filter,
                               QString& selectedFilter, QStringList& chosen) = 0;
    virtual bool saveFileName(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter,
                              QString& selectedFilter, QString& chosen) = 0;
    // A save prompt whose default suffix follows the chosen filter: `suffixes` holds one suffix per
    // filter (without the dot; empty for none), appended to a name typed without one, and the question
    // about overwriting covers the final name. Unless replaced this is saveFileName, appending nothing.
    virtual bool saveFileNameWithSuffixes(QWidget* parent, const QString& caption, const QString& suggested,
                                          const QString& filter, QString& selectedFilter, QString& chosen,
                                          const QStringList& suffixes)
    {
        (void)suffixes;
        return saveFileName(parent, caption, suggested, filter, selectedFilter, chosen);
    }
    virtual bool chooseFont(QWidget* parent, const QFont& initial, QFont& chosen) = 0;
    virtual bool chooseColour(QWidget* parent, const QColor& initial, QColor& chosen) = 0;
};

// Help pages are HTML files in help_folder(), opened in the desktop's browser: a topic's own page, or
// the contents page (index.htm) where it has none. Each call gives false, opening nothing, when neither
// page is there (no help pages are installed); the caller says so.
class HelpService {
public:
    virtual ~HelpService() = default;
    // A topic page by its name (such as "hidd_newbitmap.htm").
    virtual bool showTopic(const std::wstring& topic) = 0;
    // A topic by its context number: 0x1000 + a problem code, or 0x20000 + a dialog number.
    virtual bool showContext(unsigned context) = 0;
    // The contents page (Help Topics).
    virtual bool showContents() = 0;
};

// Where the help pages are looked for: the folder "help" in the program folder.
std::filesystem::path help_folder();

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens a local file with the program that the desktop associates with it; false with the
    // reason in `errorText` when it cannot.
    virtual bool openFile(const std::wstring& path, std::wstring& errorText) = 0;
    // Opens a link (http, https, mailto...) in the desktop's handler.
    virtual bool openUrl(const QString& url) = 0;
};

class ClipboardService {
public:
    virtual ~ClipboardService() = default;
    virtual void setText(const std::wstring& text) = 0;
    virtual std::wstring text() const = 0;
    // Takes ownership of `data`.
    virtual void setMimeData(QMimeData* data) = 0;
    // Null when the clipboard holds nothing; owned by the clipboard.
    virtual const QMimeData* mimeData() const = 0;
    // Calls `changed` whenever the clipboard's content changes, whoever changed it, for as long as
    // `context` lives.
    virtual void watch(QObject* context, std::function<void()> changed) = 0;
};

class DialogService {
public:
    virtual ~DialogService() = default;
    // Runs a modal dialog to its end and returns its result (QDialog::Accepted or Rejected).
    virtual int run(QDialog& dialog) = 0;
};

class BeepService {
public:
    virtual ~BeepService() = default;
    // The warning sound of a command that cannot act (MessageBeep).
    virtual void beep() = 0;
};

// The services in use. Until one is replaced the Qt implementation serves.
MessageBoxService& messageBoxes();
FilePromptService& filePrompts();
HelpService& help();
ShellService& shell();
ClipboardService& clipboard();
DialogService& dialogs();
BeepService& beeps();

// Replaces a service for the rest of the run (null puts the Qt implementation back); the caller keeps
// the replacement alive while it is installed.
void setMessageBoxService(MessageBoxService* service);
void setFilePromptService(FilePromptService* service);
void setHelpService(HelpService* service);
void setShellService(ShellService* service);
void setClipboardService(ClipboardService* service);
void setDialogService(DialogService* service);
void setBeepService(BeepService* service);

// Shorthand for the common boxes; the title is the application's, message 57344.
// The title of every message box: the program's title, set once at start-up.
void setMessageTitle(const std::wstring& title);
// The warning sound through the beep service.
void beep();
MessageResult showMessage(QWidget* parent, const std::wstring& text, MessageButtons buttons = MessageButtons::Ok,
                          MessageIcon icon = MessageIcon::Information);

} // namespace ORBAX_Platform
