#include "media_player.h"

#include <digitalv.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <deque>
#include <vector>

#include "ui/window.h"
#include "windows/video_window.h"

namespace app {

namespace {

// The hidden window MCI posts its notifications to. It lives while any
// player does.
class NotifyWindow final : public Window {
public:
    bool Create() {
        WindowSpec spec;
        spec.class_name = "WaktunaMciNotify";
        spec.style = 0;
        spec.x = spec.y = spec.width = spec.height = 0;
        spec.parent = HWND_MESSAGE;
        return CreateWin(spec);
    }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == MM_MCINOTIFY) {
            MediaPlayer::Dispatch(wp, lp);
            return 0;
        }
        return Default(msg, wp, lp);
    }
};

struct Registry {
    std::vector<MediaPlayer*> players;
    std::unique_ptr<NotifyWindow> window;
    // Per player, the commands sent with a notification, oldest first: MCI
    // answers each exactly once, in order (successful, superseded, aborted
    // or failed), so the front says which command a notification ends.
    std::vector<std::pair<MediaPlayer*, std::deque<UINT>>> pending;
};

Registry& Players() {
    static Registry registry;
    return registry;
}

std::deque<UINT>& PendingOf(MediaPlayer* player) {
    auto& pending = Players().pending;
    for (auto& p : pending)
        if (p.first == player) return p.second;
    pending.emplace_back(player, std::deque<UINT>{});
    return pending.back().second;
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

constexpr DWORD kDeviceTypes[] = {
    0, MCI_DEVTYPE_VCR, MCI_DEVTYPE_VIDEODISC, MCI_DEVTYPE_OVERLAY, MCI_DEVTYPE_CD_AUDIO,
    MCI_DEVTYPE_DAT, MCI_DEVTYPE_SCANNER, MCI_DEVTYPE_ANIMATION, MCI_DEVTYPE_DIGITAL_VIDEO,
    MCI_DEVTYPE_OTHER, MCI_DEVTYPE_WAVEFORM_AUDIO, MCI_DEVTYPE_SEQUENCER,
};

// Devices that play a medium, not a file.
bool IsSimpleDevice(MediaPlayer::DeviceType type) {
    using T = MediaPlayer::DeviceType;
    return type == T::Vcr || type == T::Videodisc || type == T::CdAudio || type == T::DigitalVideo;
}

// The four numbers of MCI's answer to "where": left, top, width, height.
bool ReadRectangle(const std::string& text, int (&numbers)[4]) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (int& n : numbers) {
        while (p < end && *p == ' ') ++p;
        const auto [next, error] = std::from_chars(p, end, n);
        if (error != std::errc()) return false;
        p = next;
    }
    return true;
}

}  // namespace

StatusQuery StatusQueryFor(DWORD item, uint32_t track) {
    StatusQuery query;
    query.flags = MCI_STATUS_ITEM | MCI_WAIT;
    query.item = item & ~MediaPlayer::kTrackItem;
    if ((item & MediaPlayer::kTrackItem) && track != 0) {
        query.flags |= MCI_TRACK;
        query.track = track;
    }
    return query;
}

MediaPlayer::MediaPlayer(DeviceType type, Setup setup) : type_(type), setup_(std::move(setup)) {
    // Unique for the process's life, so a closing device's name is never
    // taken by a newer one.
    static unsigned serial = 0;
    alias_ = "WaktunaPlayer" + std::to_string(++serial);
    Registry& r = Players();
    if (!r.window) {
        r.window = std::make_unique<NotifyWindow>();
        if (!r.window->Create()) r.window.reset();
    }
    r.players.push_back(this);
}

MediaPlayer::~MediaPlayer() {
    // Synchronous: when the destructor returns the device is closed and no
    // notification of it can reach a handler.
    wait_ = true;
    notify_ = nullptr;
    Registry& r = Players();
    r.players.erase(std::remove(r.players.begin(), r.players.end(), this), r.players.end());
    Close();
    device_ = 0;
    video_.reset();
    r.pending.erase(std::remove_if(r.pending.begin(), r.pending.end(),
                                   [this](const auto& p) { return p.first == this; }),
                    r.pending.end());
    if (r.players.empty()) r.window.reset();
}

std::unique_ptr<MediaPlayer> MediaPlayer::OpenFile(const std::string& file, Setup setup) {
    return OpenDevice(DeviceType::FromFile, file, std::move(setup));
}

std::unique_ptr<MediaPlayer> MediaPlayer::OpenDevice(DeviceType type, const std::string& file,
                                                     Setup setup) {
    std::unique_ptr<MediaPlayer> player(new MediaPlayer(type, std::move(setup)));
    player->file_ = file;
    player->Open();
    return player;
}

void MediaPlayer::SetFileName(const std::string& name) {
    if (name != file_) {
        Close();
        // A device that would not close is still this player's: the new
        // name is not taken, or the player would lose track of it.
        if (device_ != 0) return;
    }
    file_ = name;
    if (!file_.empty()) Open();
}

void MediaPlayer::Refuse(MCIERROR error, const char* text) {
    last_error_ = error;
    if (setup_.report) setup_.report(text);
}

bool MediaPlayer::Open() {
    if (device_ != 0) return true;
    // A missing file fails the open; so does one deleted after this test,
    // through MCI's own error.
    if ((type_ == DeviceType::FromFile || !file_.empty()) && !FileExists(file_)) {
        Refuse(MCIERR_FILE_NOT_FOUND, kMediaFileMissingText);
        return false;
    }
    if (IsSimpleDevice(type_) && !file_.empty()) {
        Refuse(MCIERR_FLAGS_NOT_COMPATIBLE, kMediaFileForSimpleDeviceText);
        return false;
    }

    MCI_OPEN_PARMSA open{};
    open.lpstrAlias = alias_.c_str();
    DWORD flags = MCI_OPEN_ALIAS;
    if (!file_.empty()) {
        open.lpstrElementName = file_.c_str();
        flags |= MCI_OPEN_ELEMENT;
    }
    if (type_ != DeviceType::FromFile) {
        open.lpstrDeviceType =
            reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(kDeviceTypes[static_cast<int>(type_)]));
        flags |= MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID;
    }
    if (!Send(MCI_OPEN, flags | MCI_OPEN_SHAREABLE | MCI_NOTIFY, &open) &&
        !Send(MCI_OPEN, flags | MCI_NOTIFY, &open))
        return false;
    device_ = open.wDeviceID;

    has_video_ = Capability(MCI_GETDEVCAPS_HAS_VIDEO) != 0;
    if (has_video_ && setup_.look) ShowInOwnWindow();
    MCI_SET_PARMS set{};
    set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
    return true;
}

void MediaPlayer::ShowInOwnWindow() {
    // The video's own size; a bottom-up picture reports a negative height.
    int where[4] = {};
    std::string answer;
    if (!SendString("where " + alias_ + " source", &answer) || !ReadRectangle(answer, where))
        return;
    const int width = std::abs(where[2]), height = std::abs(where[3]);
    if (width == 0 || height == 0) return;
    auto video = std::make_unique<VideoWindow>(*setup_.look);
    if (!video->Create(file_, width, height)) return;
    // Closed by the user: the video is over, as if it had played to its end.
    video->SetOnClose([this] {
        Stop();
        played_to_end_ = true;
    });
    video->SetOnPaint([this](HDC dc) {
        return SendString("update " + alias_ + " hdc " +
                          std::to_string(reinterpret_cast<uintptr_t>(dc)));
    });
    const auto surface = reinterpret_cast<uintptr_t>(video->Surface());
    if (!SendString("window " + alias_ + " handle " + std::to_string(surface))) return;
    video_ = std::move(video);
    display_ = video_->Surface();
    display_width_ = width;
    display_height_ = height;
}

bool MediaPlayer::SendString(const std::string& command, std::string* answer) {
    if (device_ == 0) {
        last_error_ = MCIERR_INVALID_DEVICE_ID;
        return false;
    }
    char text[128] = {};
    last_error_ = mciSendStringA(command.c_str(), text, sizeof text, nullptr);
    if (answer) *answer = text;
    return last_error_ == 0;
}

bool MediaPlayer::Send(UINT command, DWORD_PTR flags, void* parms) {
    // A player that is not open sends nothing: device 0 or -1 would address
    // every open device, the adzan of another player included.
    if (command != MCI_OPEN && device_ == 0) {
        last_error_ = MCIERR_INVALID_DEVICE_ID;
        return false;
    }
    if (wait_) flags |= MCI_WAIT;
    Registry& r = Players();
    if ((flags & MCI_WAIT) || !r.window) flags &= ~static_cast<DWORD_PTR>(MCI_NOTIFY);
    if (flags & MCI_NOTIFY)
        static_cast<MCI_GENERIC_PARMS*>(parms)->dwCallback =
            reinterpret_cast<DWORD_PTR>(r.window->hwnd());
    last_error_ = mciSendCommandA(command == MCI_OPEN ? 0 : device_, command, flags,
                                  reinterpret_cast<DWORD_PTR>(parms));
    if (last_error_ == 0 && (flags & MCI_NOTIFY)) PendingOf(this).push_back(command);
    return last_error_ == 0;
}

bool MediaPlayer::PlayRange(int64_t start, int64_t length) {
    MCI_PLAY_PARMS play{};
    DWORD flags = MCI_NOTIFY;
    if (length >= 0) {
        if (start < 0) start = Position();
        play.dwTo = static_cast<DWORD>(start + length);
        flags |= MCI_TO;
    }
    if (start > 0) {
        play.dwFrom = static_cast<DWORD>(start);
        flags |= MCI_FROM;
    }
    heard_playing_ = false;
    if (video_) video_->Show();
    // A play the device refuses (no output device, one held by another
    // program) is over: the caller's next look finds it finished.
    played_to_end_ = !Send(MCI_PLAY, flags, &play);
    return !played_to_end_;
}

bool MediaPlayer::Pause() {
    MCI_GENERIC_PARMS p{};
    return Send(MCI_PAUSE, MCI_NOTIFY, &p);
}

bool MediaPlayer::Resume() {
    MCI_GENERIC_PARMS p{};
    if (Send(MCI_RESUME, MCI_NOTIFY, &p)) return true;
    // Some devices only continue through a new play from where they are.
    return IsOpen() && PlayRange(0, -1);
}

bool MediaPlayer::Stop() {
    MCI_GENERIC_PARMS p{};
    return Send(MCI_STOP, MCI_NOTIFY, &p);
}

void MediaPlayer::Close() {
    if (device_ == 0) return;
    MCI_GENERIC_PARMS p{};
    if (Send(MCI_CLOSE, MCI_WAIT, &p)) {
        device_ = 0;
        PendingOf(this).clear();
        // The window goes with its device.
        video_.reset();
        display_ = nullptr;
        display_width_ = display_height_ = 0;
        has_video_ = false;
    }
}

uint32_t MediaPlayer::Status(DWORD item) {
    const StatusQuery query = StatusQueryFor(item, track_);
    MCI_STATUS_PARMS status{};
    status.dwItem = query.item;
    status.dwTrack = query.track;
    if (!Send(MCI_STATUS, query.flags, &status)) return 0;
    return static_cast<uint32_t>(status.dwReturn);
}

uint32_t MediaPlayer::Capability(DWORD item) {
    MCI_GETDEVCAPS_PARMS caps{};
    caps.dwItem = item;
    if (!Send(MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM | MCI_WAIT, &caps)) return 0;
    return static_cast<uint32_t>(caps.dwReturn);
}

uint32_t MediaPlayer::Length() { return Status(MCI_STATUS_LENGTH); }
uint32_t MediaPlayer::Position() { return Status(MCI_STATUS_POSITION); }

MediaPlayer::Mode MediaPlayer::CurrentMode() {
    const uint32_t mode = Status(MCI_STATUS_MODE);
    if (mode < MCI_MODE_NOT_READY || mode > MCI_MODE_OPEN) return Mode::NotReady;
    return static_cast<Mode>(mode - MCI_MODE_NOT_READY);
}

bool MediaPlayer::Finished() {
    if (!IsOpen()) return true;
    // Paused first: a completion guessed from the device's notifications
    // must not end a sound the user only paused.
    const Mode mode = CurrentMode();
    if (mode == Mode::Paused) return false;
    if (played_to_end_) return true;
    if (mode == Mode::Playing) heard_playing_ = true;
    const uint32_t length = Length();
    // A variable-bitrate file may end short of its announced length, and a
    // device may stop without reaching it: what stopped after playing is over.
    if (length <= Position()) return mode != Mode::Playing || length > 0;
    return mode == Mode::Stopped && heard_playing_;
}

void MediaPlayer::Notified(int notification) {
    std::deque<UINT>& pending = PendingOf(this);
    const UINT command = pending.empty() ? 0 : pending.front();
    if (!pending.empty()) pending.pop_front();
    if (command == MCI_PLAY && notification == kSuccessful) played_to_end_ = true;
    if (notify_) notify_(*this, notification);
}

bool MediaPlayer::Dispatch(WPARAM code, LPARAM device) {
    for (MediaPlayer* p : Players().players)
        if (p->device_ != 0 && p->device_ == static_cast<MCIDEVICEID>(device)) {
            p->Notified(static_cast<int>(code) - 1);
            return true;
        }
    return false;
}

int MediaPlayer::LiveCount() { return static_cast<int>(Players().players.size()); }

}  // namespace app
