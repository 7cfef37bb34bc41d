// The media-control window over Qt Multimedia.

#include "MciWnd.h"

#include "Prompts.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonObject>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPluginLoader>
#include <QPointer>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

CMciWnd::CMciWnd(QWidget* pParent, DWORD dwStyle, const QByteArray& path)
    : QWidget(pParent), m_strPath(QFile::decodeName(path)), m_pPlayButton(new QToolButton(this)),
      m_pSlider(new QSlider(Qt::Horizontal, this)) {
    // The bar covers whatever lies under it, earlier bars included.
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(4);
    layout->addWidget(m_pPlayButton);
    layout->addWidget(m_pSlider, 1);
    m_pPlayButton->setAutoRaise(true);
    m_pPlayButton->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    m_pPlayButton->setToolTip(QStringLiteral("Play"));
    m_pSlider->setRange(0, 0);
    connect(m_pPlayButton, &QToolButton::clicked, this, &CMciWnd::OnPlayPause);
    m_bBar = (dwStyle & WS_VISIBLE) != 0;

    // Without a backend Qt would end the process at the player's creation;
    // without any output the sound would go nowhere without a word.
    if (!AfxHaveMediaBackend()) {
        m_pPlayButton->setEnabled(false);
        m_pSlider->setEnabled(false);
        ReportFailure(QStringLiteral("Qt Multimedia has no backend to play sound with."));
        resize(sizeHint());
        setVisible(m_bBar);
        return;
    }
    m_pPlayer = new QMediaPlayer(this);
    connect(m_pPlayer, &QMediaPlayer::durationChanged, this,
            [this](qint64 duration) { m_pSlider->setRange(0, static_cast<int>(duration)); });
    connect(m_pPlayer, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!m_bSliderHeld)
            m_pSlider->setValue(static_cast<int>(position));
    });
    connect(m_pSlider, &QSlider::sliderPressed, this, [this] { m_bSliderHeld = true; });
    connect(m_pSlider, &QSlider::sliderReleased, this, [this] {
        m_bSliderHeld = false;
        m_pPlayer->setPosition(m_pSlider->value());
    });
    connect(m_pPlayer, &QMediaPlayer::playbackStateChanged, this,
            [this](QMediaPlayer::PlaybackState state) {
                const bool playing = state == QMediaPlayer::PlayingState;
                m_pPlayButton->setIcon(
                    style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
                m_pPlayButton->setToolTip(playing ? QStringLiteral("Pause")
                                                  : QStringLiteral("Play"));
                if (!playing)
                    ReleaseIfSpent();
            });
    connect(m_pPlayer, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    ReleaseIfSpent();
            });
    connect(m_pPlayer, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& reason) { ReportFailure(reason); });

    m_bHasOutput = AfxHaveAudioOutput();
    if (m_bHasOutput) {
        m_pOutput = new QAudioOutput(this);
        m_pPlayer->setAudioOutput(m_pOutput);
        SetSource(path);
    } else {
        m_pPlayButton->setEnabled(false);
        m_pSlider->setEnabled(false);
        ReportFailure(QStringLiteral("There is no audio output."));
    }

    resize(sizeHint());
    setVisible(m_bBar);
}

CMciWnd::~CMciWnd() = default;

void CMciWnd::SetSource(const QByteArray& path) {
    if (path.isEmpty())
        return;
    // The name is taken as it stands now: relative to the current folder.
    const QUrl url = QUrl::fromLocalFile(QFileInfo(m_strPath).absoluteFilePath());
    if (QFile::encodeName(m_strPath) == path) {
        m_pPlayer->setSource(url);
        return;
    }
    // A name that the system's encoding cannot carry is opened here by its
    // bytes and played from the open file; the address only names it.
    auto* file = new QFile(this);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        delete file;
        ReportFailure(QString::fromLocal8Bit(std::strerror(error)));
        return;
    }
    m_pPlayer->setSourceDevice(file, url);
}

void CMciWnd::Play() {
    if (!m_bHasOutput)
        return;
    m_pPlayer->setPosition(0);
    m_pPlayer->play();
}

void CMciWnd::OnPlayPause() {
    if (m_pPlayer == nullptr)
        return;
    if (m_pPlayer->playbackState() == QMediaPlayer::PlayingState) {
        m_pPlayer->pause();
        return;
    }
    if (m_pPlayer->mediaStatus() == QMediaPlayer::EndOfMedia)
        m_pPlayer->setPosition(0);
    m_pPlayer->play();
}

void CMciWnd::ReportFailure(const QString& reason) {
    if (m_bReported)
        return;
    m_bReported = true;
    // Shown from the event loop, never from inside the player's own signal; a
    // player that is gone by then (its parent closed) says nothing. After its
    // message a player that failed, or has nothing to sound on, is done with.
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            QPointer<CMciWnd> self(this);
            AfxMessageBox(
                QStringLiteral("The file cannot be played:\n%1\n\n%2").arg(m_strPath, reason),
                MB_OK | MB_ICONERROR);
            if (self != nullptr) {
                m_bFailed = true;
                ReleaseIfSpent();
            }
        },
        Qt::QueuedConnection);
}

void CMciWnd::ReleaseIfSpent() {
    if (!m_bFailed && m_pPlayer != nullptr &&
        m_pPlayer->playbackState() == QMediaPlayer::PlayingState)
        return;
    const bool done =
        m_bFailed || !m_bHasOutput || m_pPlayer->mediaStatus() == QMediaPlayer::EndOfMedia;
    if (m_bBar ? IsCoveredByLaterBar() : done)
        deleteLater();
}

bool CMciWnd::event(QEvent* event) {
    const bool result = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::ZOrderChange:
        if (m_bBar && isVisible())
            ReleaseCoveredBars();
        break;
    default:
        break;
    }
    return result;
}

void CMciWnd::ReleaseCoveredBars() {
    if (QWidget* parent = parentWidget()) {
        for (CMciWnd* player : parent->findChildren<CMciWnd*>(Qt::FindDirectChildrenOnly)) {
            if (player != this && player->m_bBar)
                player->ReleaseIfSpent();
        }
    }
}

bool CMciWnd::IsCoveredByLaterBar() const {
    const QObjectList& siblings = parentWidget()->children(); // in stacking order, lowest first
    for (qsizetype i = siblings.indexOf(const_cast<CMciWnd*>(this)) + 1; i < siblings.size(); ++i) {
        const auto* later = qobject_cast<const CMciWnd*>(siblings[i]);
        if (later != nullptr && later->m_bBar && later->isVisible() &&
            later->geometry().contains(geometry()))
            return true;
    }
    return false;
}

bool AfxHaveMediaBackend() {
    // As Qt chooses its backend: the plugin that QT_MEDIA_BACKEND names, or
    // any, from the "multimedia" folder of the plugin paths. Loading it here
    // loads what the first player would load anyway.
    static const bool have = [] {
        const QString wanted = qEnvironmentVariable("QT_MEDIA_BACKEND");
        for (const QString& root : QCoreApplication::libraryPaths()) {
            const QDir folder(root + QStringLiteral("/multimedia"));
            for (const QString& name : folder.entryList(QDir::Files)) {
                QPluginLoader plugin(folder.filePath(name));
                const QJsonObject meta = plugin.metaData();
                if (meta.value(QStringLiteral("IID")).toString() !=
                    QLatin1String("org.qt-project.Qt.QPlatformMediaPlugin"))
                    continue;
                const QJsonArray keys = meta.value(QStringLiteral("MetaData"))
                                            .toObject()
                                            .value(QStringLiteral("Keys"))
                                            .toArray();
                if ((wanted.isEmpty() || keys.contains(wanted)) && plugin.load())
                    return true;
            }
        }
        return false;
    }();
    return have;
}

bool AfxHaveAudioOutput() {
    return AfxHaveMediaBackend() && !QMediaDevices::audioOutputs().isEmpty();
}

HINSTANCE AfxGetInstanceHandle() {
    return QCoreApplication::instance();
}

HWND MCIWndCreateA(HWND hwndParent, HINSTANCE, DWORD dwStyle, const char* szFile) {
    if (hwndParent == nullptr)
        return nullptr;
    return new CMciWnd(hwndParent, dwStyle, QByteArray(szFile != nullptr ? szFile : ""));
}

LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM, LPARAM) {
    auto* player = qobject_cast<CMciWnd*>(hWnd);
    if (player == nullptr)
        return 0;
    if (message == MCI_PLAY)
        player->Play();
    return 0;
}

bool SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags) {
    if (hWnd == nullptr)
        return false;
    if ((uFlags & SWP_NOMOVE) == 0)
        hWnd->move(x, y);
    if ((uFlags & SWP_NOSIZE) == 0)
        hWnd->resize(cx, cy);
    if ((uFlags & SWP_NOZORDER) == 0) {
        if (hWndInsertAfter == HWND_TOP)
            hWnd->raise();
        else
            hWnd->stackUnder(hWndInsertAfter);
    }
    if (uFlags & SWP_SHOWWINDOW)
        hWnd->show();
    else if (uFlags & SWP_HIDEWINDOW)
        hWnd->hide();
    return true;
}
