#pragma once
// Recording replacements of the services for tests: they remember every call and answer from a
// script instead of showing anything. Install one with its Scoped* guard, which puts the previous
// service back at the end of the test.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDialog>
#include <QMimeData>
#include <QPointer>

#include "platform/services/Services.h"

namespace ORBAX_Platform {

struct RecordedMessage {
    std::wstring text;
    std::wstring title;
    MessageButtons buttons;
    MessageIcon icon;
};

class RecordingMessageBoxes : public MessageBoxService {
public:
    std::vector<RecordedMessage> shown;
    // Answers in order; when they run out, Ok for an Ok box, else No (YesNo) or Cancel.
    std::deque<MessageResult> answers;

    MessageResult show(QWidget*, const std::wstring& text, const std::wstring& title, MessageButtons buttons,
                       MessageIcon icon) override
    {
        shown.push_back({text, title, buttons, icon});
        if (!answers.empty()) {
            MessageResult answer = answers.front();
            answers.pop_front();
            return answer;
        }
        if (buttons == MessageButtons::Ok)
            return MessageResult::Ok;
        return buttons == MessageButtons::YesNo ? MessageResult::No : MessageResult::Cancel;
    }
};

class RecordingHelp : public HelpService {
public:
    std::vector<std::wstring> topics;
    std::vector<unsigned> contexts;
    int contentsShown = 0;

    bool showTopic(const std::wstring& topic) override
    {
        topics.push_back(topic);
        return true;
    }
    bool showContext(unsigned context) override
    {
        contexts.push_back(context);
        return true;
    }
    bool showContents() override
    {
        ++contentsShown;
        return true;
    }
};

class RecordingShell : public ShellService {
public:
    std::vector<std::wstring> files;
    std::vector<QString> urls;
    bool succeed = true;
    std::wstring failureText = L"No such file or directory";

    bool openFile(const std::wstring& path, std::wstring& errorText) override
    {
        files.push_back(path);
        if (!succeed)
            errorText = failureText;
        return succeed;
    }
    bool openUrl(const QString& url) override
    {
        urls.push_back(url);
        return succeed;
    }
};

class MemoryClipboard : public ClipboardService {
public:
    int writes = 0;

    void setText(const std::wstring& text) override
    {
        auto data = std::make_unique<QMimeData>();
        data->setText(QString::fromStdWString(text));
        m_data = std::move(data);
        changed();
    }
    std::wstring text() const override { return m_data ? m_data->text().toStdWString() : std::wstring(); }
    void setMimeData(QMimeData* data) override
    {
        m_data.reset(data);
        changed();
    }
    const QMimeData* mimeData() const override { return m_data.get(); }
    void watch(QObject* context, std::function<void()> changed) override
    {
        m_watchers.push_back({context, std::move(changed)});
    }

private:
    struct Watcher {
        QPointer<QObject> context;
        std::function<void()> changed;
    };

    // Every write tells the watchers whose context still lives, as the system clipboard does.
    void changed()
    {
        ++writes;
        const std::vector<Watcher> watchers = m_watchers;
        for (const Watcher& watcher : watchers)
            if (watcher.context)
                watcher.changed();
    }

    std::unique_ptr<QMimeData> m_data;
    std::vector<Watcher> m_watchers;
};

class ScriptedFilePrompts : public FilePromptService {
public:
    // Each prompt takes the next answer; an empty answer (or none left) is a cancel.
    std::deque<QStringList> answers;
    // The 1-based filter each prompt in turn leaves chosen; with none left, the one it showed first.
    std::deque<int> filterAnswers;
    // What each prompt was given, in order.
    std::vector<QString> captions;
    std::vector<QString> folders;
    std::vector<QStringList> filters;
    std::vector<QString> initialFilters;
    // A save prompt with suffixes appends the chosen filter's suffix to a name without one, as the
    // real dialog does, unless this is cleared.
    bool applySuffixes = true;

    bool openFileName(QWidget*, const QString& caption, const QString& folder, const QString& filter,
                      QString& selectedFilter, QString& chosen) override
    {
        QStringList next = take(caption, folder, filter, selectedFilter);
        if (next.isEmpty())
            return false;
        chosen = next.front();
        return true;
    }
    bool openFileNames(QWidget*, const QString& caption, const QString& folder, const QString& filter,
                       QString& selectedFilter, QStringList& chosen) override
    {
        chosen = take(caption, folder, filter, selectedFilter);
        return !chosen.isEmpty();
    }
    bool saveFileName(QWidget*, const QString& caption, const QString& suggested, const QString& filter,
                      QString& selectedFilter, QString& chosen) override
    {
        return openFileName(nullptr, caption, suggested, filter, selectedFilter, chosen);
    }
    bool saveFileNameWithSuffixes(QWidget*, const QString& caption, const QString& suggested, const QString& filter,
                                  QString& selectedFilter, QString& chosen, const QStringList& suffixes) override
    {
        if (!openFileName(nullptr, caption, suggested, filter, selectedFilter, chosen))
            return false;
        const qsizetype index = filter.split(QStringLiteral(";;")).indexOf(selectedFilter);
        const QString suffix = index >= 0 && index < suffixes.size() ? suffixes[index] : QString();
        const QString name = chosen.section(QLatin1Char('/'), -1);
        if (applySuffixes && !suffix.isEmpty() && !name.contains(QLatin1Char('.')))
            chosen += QLatin1Char('.') + suffix;
        return true;
    }
    // Each font prompt takes the next font; none left is a cancel. The fonts it started from are kept.
    std::deque<QFont> fonts;
    std::vector<QFont> fontsOffered;
    bool chooseFont(QWidget*, const QFont& initial, QFont& chosen) override
    {
        fontsOffered.push_back(initial);
        if (fonts.empty())
            return false;
        chosen = fonts.front();
        fonts.pop_front();
        return true;
    }
    bool chooseColour(QWidget*, const QColor&, QColor&) override { return false; }

private:
    QStringList take(const QString& caption, const QString& folder, const QString& filter, QString& selectedFilter)
    {
        captions.push_back(caption);
        folders.push_back(folder);
        const QStringList list = filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        filters.push_back(list);
        initialFilters.push_back(selectedFilter);
        if (!filterAnswers.empty()) {
            const int n = filterAnswers.front();
            filterAnswers.pop_front();
            if (n >= 1 && n <= list.size())
                selectedFilter = list[n - 1];
        }
        if (answers.empty())
            return {};
        QStringList next = answers.front();
        answers.pop_front();
        return next;
    }
};

// Never shows a dialog: hands it, set up and ready, to `inspect` (which may press its buttons) and
// returns `result` unless `inspect` closed the dialog itself.
class ScriptedDialogs : public DialogService {
public:
    std::function<void(QDialog&)> inspect;
    int result = QDialog::Rejected;
    std::vector<QString> shown; // the object names of the dialogs run, in order

    int run(QDialog& dialog) override
    {
        shown.push_back(dialog.objectName());
        dialog.setResult(-1);
        if (inspect)
            inspect(dialog);
        return dialog.result() == -1 ? result : dialog.result();
    }
};

class CountingBeeps : public BeepService {
public:
    int count = 0;
    void beep() override { ++count; }
};

// Installs a service for the lifetime of the guard.
template <class Service, void (*Set)(Service*), Service& (*Get)()>
class ScopedService {
public:
    explicit ScopedService(Service& replacement) : m_previous(&Get()) { Set(&replacement); }
    ~ScopedService() { Set(m_previous); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* m_previous;
};

using ScopedMessageBoxes = ScopedService<MessageBoxService, setMessageBoxService, messageBoxes>;
using ScopedFilePrompts = ScopedService<FilePromptService, setFilePromptService, filePrompts>;
using ScopedHelp = ScopedService<HelpService, setHelpService, help>;
using ScopedShell = ScopedService<ShellService, setShellService, shell>;
using ScopedClipboard = ScopedService<ClipboardService, setClipboardService, clipboard>;
using ScopedDialogs = ScopedService<DialogService, setDialogService, dialogs>;
using ScopedBeeps = ScopedService<BeepService, setBeepService, beeps>;

} // namespace ORBAX_Platform
