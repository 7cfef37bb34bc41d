#pragma once

// The media-control window: a player for one sound file, created as a child of
// the window that asks for it and destroyed with that window. It opens the file
// at once and plays when it gets MCI_PLAY; it needs nothing more from the
// program. Without WS_VISIBLE it is invisible and only its sound is noticed;
// with it, it is a bar with its own play/pause button and position slider.
// Each player plays on its own, so several may sound at the same time.
//
// A player that can no longer be heard or seen goes away by itself before its
// parent does: a hidden one once it has played to the end, failed, or has
// nothing to sound on; a bar once it has stopped under a later bar that
// covers it (a bar that is shown, moved or raised looks at the bars under it).
// Each player holds a stream of the sound system, and the editor form lives
// for the whole run; a few hundred presses of listen would otherwise use up
// what the system gives.
//
// When the file cannot be played (it is not a sound the player decodes, there
// is no audio output at all, or Qt Multimedia has no backend, which is asked
// once per run because Qt ends the process when a player is made without
// one), the player says so itself, once, with a message box through the
// application's prompt handler; the program that created it adds nothing.
//
// The file is opened by the bytes of its name as given: a name that is not
// in the system's encoding is opened by the player itself and read as a
// stream, so no byte of it is lost on the way to the file system.

#include "AfxDefs.h"

#include <QWidget>

class QAudioOutput;
class QMediaPlayer;
class QSlider;
class QToolButton;

// Windows are widgets here.
using HWND = QWidget*;
using HINSTANCE = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

constexpr DWORD MCIWNDF_NOMENU = 0x0008; // the bar has no menu button (it never has one here)
constexpr UINT MCI_PLAY = 0x0806;        // play from the start

// SetWindowPos: where the window goes in the order of its siblings, and flags.
constexpr HWND HWND_TOP = nullptr;
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

class CMciWnd : public QWidget {
    Q_OBJECT
public:
    // Opens `path` (a file name as the file system spells it); shows the bar
    // when the style has WS_VISIBLE.
    CMciWnd(QWidget* pParent, DWORD dwStyle, const QByteArray& path);
    ~CMciWnd() override;

    // Plays from the start.
    void Play();

    // The file it was given, as the user reads its name.
    const QString& FileName() const { return m_strPath; }
    // The player behind the window, for those who need to see its state;
    // null when Qt Multimedia has no backend.
    QMediaPlayer* MediaPlayer() const { return m_pPlayer; }

    // Goes away if it can no longer be heard or seen (see above).
    void ReleaseIfSpent();

protected:
    bool event(QEvent* event) override;

private:
    void SetSource(const QByteArray& path);
    void OnPlayPause();
    bool IsCoveredByLaterBar() const;
    // Earlier bars that this one now covers are done with.
    void ReleaseCoveredBars();
    // Shows the player's one message; later failures of the same file are not told again.
    void ReportFailure(const QString& reason);

    QString m_strPath;                    // the file as the user reads its name
    QMediaPlayer* m_pPlayer = nullptr;    // owned through the object tree
    QAudioOutput* m_pOutput = nullptr;    // owned through the object tree
    QToolButton* m_pPlayButton = nullptr; // owned through the widget tree
    QSlider* m_pSlider = nullptr;         // owned through the widget tree
    bool m_bBar = false;                  // WS_VISIBLE: a bar, else a hidden player
    bool m_bHasOutput = false;            // a backend and an output to sound on
    bool m_bFailed = false;
    bool m_bReported = false;
    bool m_bSliderHeld = false;
};

// Whether Qt Multimedia has a backend that players can be made with: the one
// that QT_MEDIA_BACKEND names, else any installed one. Asked once per run.
bool AfxHaveMediaBackend();

// Whether the machine has an audio output that players can sound on (and a
// backend to sound with).
bool AfxHaveAudioOutput();

// The application's instance; the player does not need it.
HINSTANCE AfxGetInstanceHandle();

// A player window for `szFile` inside `hwndParent`, owned by it; null without a parent.
HWND MCIWndCreateA(HWND hwndParent, HINSTANCE hInstance, DWORD dwStyle, const char* szFile);

// The one message the players take: MCI_PLAY. Others are answered with 0.
LRESULT SendMessageA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Places a child window in its parent's client coordinates; HWND_TOP puts it
// above its siblings.
bool SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
