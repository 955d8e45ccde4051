#include "dialogs/UpdateCheck.h"

#include <exception>
#include <sstream>
#include <vector>

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "dialogs/UpdateInfo.h"

namespace {

CUpdateCheck::Endpoint& endpointSetting()
{
    static CUpdateCheck::Endpoint endpoint = CUpdateCheck::DefaultEndpoint();
    return endpoint;
}

} // namespace

const char* const CUpdateCheck::ObjectName = "quor_log-updateinfo.txt";

CUpdateCheck::Endpoint CUpdateCheck::DefaultEndpoint()
{
    Endpoint endpoint;
    endpoint.base = QUrl(QStringLiteral("http://updates.orbax.example:80/quorlog/"));
    return endpoint;
}

CUpdateCheck::Endpoint CUpdateCheck::CurrentEndpoint() { return endpointSetting(); }

void CUpdateCheck::SetEndpoint(const Endpoint& endpoint) { endpointSetting() = endpoint; }

QString CUpdateCheck::UserAgent()
{
    return QStringLiteral("QUOR_Log %1.%2.%3")
        .arg(QuorLogVersionMajor)
        .arg(QuorLogVersionMinor)
        .arg(QuorLogVersionBuild);
}

QString CUpdateCheck::FailureText(Outcome outcome)
{
    switch (outcome) {
    case NotContacted: return QStringLiteral("The server could not be contacted.");
    case NotAccessible: return QStringLiteral("Update information could not be accessed on the server");
    case BadInformation: return QStringLiteral("There was a problem with the supplied update information");
    case Answer: break;
    }
    return {};
}

CUpdateCheck::CUpdateCheck(QObject* parent) : QObject(parent), m_manager(new QNetworkAccessManager(this))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CUpdateCheck::onTimeout);
}

CUpdateCheck::~CUpdateCheck() { Abort(); }

bool CUpdateCheck::Start()
{
    if (m_reply)
        return false;
    const Endpoint endpoint = CurrentEndpoint();
    if (endpoint.systemProxy) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
    } else {
        m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    }
    QUrl url = endpoint.base.resolved(QUrl(QString::fromLatin1(ObjectName)));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent());
    // Always from the server, and never kept in a cache.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setTransferTimeout(endpoint.timeoutMs);
    m_tooLarge = false;
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::finished, this, &CUpdateCheck::onFinished);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64) {
        if (received > MaximumReplySize && m_reply) {
            m_tooLarge = true;
            m_reply->abort();
        }
    });
    m_timer.start(endpoint.timeoutMs);
    return true;
}

void CUpdateCheck::Abort()
{
    m_timer.stop();
    if (QNetworkReply* reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void CUpdateCheck::onTimeout()
{
    if (m_reply)
        m_reply->abort(); // finishes the reply with an error and no status: not contacted
}

void CUpdateCheck::onFinished()
{
    QNetworkReply* reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    m_timer.stop();
    reply->deleteLater();

    Outcome outcome = Answer;
    QString text;
    QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (m_tooLarge) {
        outcome = BadInformation;
    } else if (status.isValid() && status.toInt() != 200) {
        outcome = NotAccessible;
    } else if (reply->error() != QNetworkReply::NoError || !status.isValid()) {
        outcome = NotContacted;
    } else {
        QByteArray body = reply->readAll();
        try {
            std::istringstream in(std::string(body.constData(), static_cast<std::size_t>(body.size())));
            std::vector<UpdateInfoEntry> entries;
            ReadUpdateInfo(in, entries);
            text = QString::fromStdWString(UpdateAnswerText(entries));
        } catch (const std::exception&) {
            outcome = BadInformation;
        }
    }
    if (outcome != Answer)
        text = FailureText(outcome);
    emit finished(outcome, text);
}
