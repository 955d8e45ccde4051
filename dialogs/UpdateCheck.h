#pragma once
// The check for a newer release: one GET of the update information from the maker's web host,
// run without blocking the window. It ends in exactly one `finished` signal (unless aborted), with
// the answer as link markup or one of the three failure texts; it never waits longer than its
// timeout.
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;

class CUpdateCheck : public QObject {
    Q_OBJECT
public:
    enum Outcome {
        Answer,        // the text says whether a newer release exists
        NotContacted,  // no connection, host not found, timeout: "The server could not be contacted."
        NotAccessible, // a status other than 200
        BadInformation // the reply could not be read
    };

    // Where the information is fetched from. Tests point it at a server of their own.
    struct Endpoint {
        QUrl base;               // the object name is appended to it
        int timeoutMs = 10000;   // the whole check, connection included
        bool systemProxy = true; // the desktop's proxy settings; off: a direct connection
    };
    static Endpoint DefaultEndpoint();
    static Endpoint CurrentEndpoint();
    static void SetEndpoint(const Endpoint& endpoint);

    // The object asked for, and the user agent sent.
    static const char* const ObjectName; // "quor_log-updateinfo.txt"
    static QString UserAgent();          // "QUOR_Log 3.3.7"
    // Replies larger than this are not update information.
    static constexpr qint64 MaximumReplySize = 1 << 20;

    explicit CUpdateCheck(QObject* parent = nullptr);
    ~CUpdateCheck() override;

    // Starts the request; false when one is already running.
    bool Start();
    // Stops a running request without reporting it.
    void Abort();
    bool IsRunning() const { return m_reply != nullptr; }

    // The texts of the three failures.
    static QString FailureText(Outcome outcome);

signals:
    void finished(int outcome, const QString& text);

private:
    void onFinished();
    void onTimeout();

    QNetworkAccessManager* m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer;
    bool m_tooLarge = false;
};
