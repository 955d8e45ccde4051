// The about box and its update check against a server of the test's own on the loopback address:
// a newer release, the same release, garbage, an error status, no server and a server that never
// answers. Every case ends in its message and none leaves the window waiting.
#include <gtest/gtest.h>

#include <functional>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "app/QuorApp.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/UpdateCheck.h"
#include "tests/support/AppTestSupport.h"

namespace {

bool waitFor(const std::function<bool()>& condition, int milliseconds = 8000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Answers every request with `reply` (raw HTTP), or holds the connection open without a word when
// `reply` is empty.
class UpdateServer : public QObject {
public:
    explicit UpdateServer(QByteArray reply) : m_reply(std::move(reply))
    {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request += socket->readAll();
                    if (!request.contains("\r\n\r\n") || m_reply.isEmpty())
                        return;
                    socket->write(m_reply);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    static QByteArray ok(const QByteArray& body)
    {
        return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n\r\n" + body;
    }
    quint16 port() const { return m_server.serverPort(); }
    QByteArray request;

private:
    QByteArray m_reply;
    QTcpServer m_server;
};

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { m_saved = CUpdateCheck::CurrentEndpoint(); }
    void TearDown() override { CUpdateCheck::SetEndpoint(m_saved); }

    void pointAt(quint16 port, int timeoutMs = 10000)
    {
        CUpdateCheck::Endpoint endpoint;
        endpoint.base = QUrl(QStringLiteral("http://127.0.0.1:%1/quorlog/").arg(port));
        endpoint.timeoutMs = timeoutMs;
        endpoint.systemProxy = false;
        CUpdateCheck::SetEndpoint(endpoint);
    }

    // Clicks "Check for updates" and waits for the answer; returns the text shown, in the link box
    // (whose label is kept in `shownHtml`) or in a plain message box.
    std::wstring check(AppTest::Sandbox& sandbox, CAboutDlg& about)
    {
        QString html;
        sandbox.dialogs.inspect = [&](QDialog& dialog) {
            ASSERT_EQ(dialog.objectName(), "dlg260");
            EXPECT_EQ(dialog.windowTitle(), "QUOR_Log 3.3");
            auto* label = dialog.findChild<QLabel*>("id1356");
            ASSERT_NE(label, nullptr);
            html = label->text();
            linkBox = label;
            if (onLinkBox)
                onLinkBox(*label);
        };
        std::size_t boxes = sandbox.boxes.shown.size();
        std::size_t dialogs = sandbox.dialogs.shown.size();
        auto* button = about.findChild<QPushButton*>("id1339");
        button->click();
        EXPECT_FALSE(button->isEnabled()) << "no second check while one runs";
        EXPECT_TRUE(
            waitFor([&] { return sandbox.boxes.shown.size() > boxes || sandbox.dialogs.shown.size() > dialogs; }));
        EXPECT_TRUE(button->isEnabled());
        if (sandbox.boxes.shown.size() > boxes) {
            EXPECT_EQ(sandbox.boxes.shown.back().buttons, ORBAX_Platform::MessageButtons::Ok);
            return sandbox.boxes.shown.back().text;
        }
        shownHtml = html;
        return html.toStdWString();
    }

    QString shownHtml;
    QLabel* linkBox = nullptr;
    std::function<void(QLabel&)> onLinkBox;

private:
    CUpdateCheck::Endpoint m_saved;
};

TEST_F(AboutTest, VersionLogoAndContactLinks)
{
    AppTest::Sandbox sandbox;
    CQuorApp app;
    CAboutDlg about;
    EXPECT_EQ(about.objectName(), "dlg100");
    auto* version = about.findChild<QLabel*>("id1204");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "QUOR_Log Version 3.3, Build 7\nReleased 2016-11-23");
    auto* logo = about.findChild<QLabel*>("id1171");
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
    auto* contact = about.findChild<QLabel*>("id1354");
    ASSERT_NE(contact, nullptr);
    EXPECT_TRUE(contact->text().contains("mailto:"));
    emit contact->linkActivated(QStringLiteral("mailto:support@orbax.example"));
    ASSERT_EQ(sandbox.shell.urls.size(), 1u);
    EXPECT_EQ(sandbox.shell.urls[0], "mailto:support@orbax.example");
    EXPECT_EQ(CUpdateCheck::UserAgent(), "QUOR_Log 3.3.7");
}

TEST_F(AboutTest, NewerRelease)
{
    AppTest::Sandbox sandbox;
    CQuorApp app;
    UpdateServer server(UpdateServer::ok("3.3.7 20161123 http://x.example/old\n"
                                         "3.4.0 20170301 http://x.example/3.4.0\n"
                                         "3.3.8 20170101 http://x.example/3.3.8\n"));
    pointAt(server.port());
    CAboutDlg about;
    onLinkBox = [&](QLabel& label) {
        // Only web links open, and only when clicked.
        EXPECT_TRUE(sandbox.shell.urls.empty());
        emit label.linkActivated(QStringLiteral("file:///etc/passwd"));
        emit label.linkActivated(QStringLiteral("http://x.example/3.4.0"));
    };
    std::wstring text = check(sandbox, about);
    EXPECT_NE(text.find(L"A more recent version of QUOR_Log (3.4.0) is available."), std::wstring::npos) << text;
    EXPECT_TRUE(shownHtml.contains("<a href=\"http://x.example/3.4.0\">http://x.example/3.4.0</a>"));
    EXPECT_EQ(sandbox.shell.urls, std::vector<QString>{QStringLiteral("http://x.example/3.4.0")});
    EXPECT_TRUE(server.request.startsWith("GET /quorlog/quor_log-updateinfo.txt HTTP/1.1\r\n"))
        << server.request.constData();
    EXPECT_TRUE(server.request.contains("User-Agent: QUOR_Log 3.3.7\r\n"));
}

TEST_F(AboutTest, SameReleaseGarbageAndErrorStatus)
{
    AppTest::Sandbox sandbox;
    CQuorApp app;
    {
        UpdateServer server(UpdateServer::ok("3.3.7 20161123 http://x.example/\n3.2.0 20150101 http://x.example/\n"));
        pointAt(server.port());
        CAboutDlg about;
        EXPECT_EQ(check(sandbox, about), L"You are running the most recent version of QUOR_Log available.");
    }
    {
        UpdateServer server(UpdateServer::ok("\x01\xff garbage 3-4-0\n"));
        pointAt(server.port());
        CAboutDlg about;
        EXPECT_EQ(check(sandbox, about), L"There was a problem with the supplied update information");
    }
    {
        UpdateServer server("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nNot found");
        pointAt(server.port());
        CAboutDlg about;
        EXPECT_EQ(check(sandbox, about), L"Update information could not be accessed on the server");
    }
    {
        UpdateServer server("this is not HTTP at all\r\n\r\n");
        pointAt(server.port());
        CAboutDlg about;
        EXPECT_EQ(check(sandbox, about), L"The server could not be contacted.");
    }
}

TEST_F(AboutTest, NoServerAndSilentServer)
{
    AppTest::Sandbox sandbox;
    CQuorApp app;
    quint16 closedPort;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    pointAt(closedPort);
    {
        CAboutDlg about;
        EXPECT_EQ(check(sandbox, about), L"The server could not be contacted.");
    }

    UpdateServer silent{QByteArray()};
    pointAt(silent.port(), 300);
    QElapsedTimer clock;
    clock.start();
    {
        CAboutDlg about;
        EXPECT_EQ(check(sandbox, about), L"The server could not be contacted.");
    }
    EXPECT_GE(clock.elapsed(), 250);

    // Closing the box while the check runs abandons it: no answer appears afterwards.
    pointAt(silent.port(), 200);
    std::size_t boxes = sandbox.boxes.shown.size();
    {
        CAboutDlg about;
        about.findChild<QPushButton*>("id1339")->click();
        EXPECT_TRUE(about.IsChecking());
        about.reject();
        EXPECT_FALSE(about.IsChecking());
        waitFor([] { return false; }, 500);
    }
    EXPECT_EQ(sandbox.boxes.shown.size(), boxes);
}

} // namespace
