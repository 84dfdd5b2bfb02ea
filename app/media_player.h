// MediaPlayer: one sound or video file played through the Media Control
// Interface (winmm's mciSendCommandA). MCI reports the end of a command with
// MM_MCINOTIFY messages; they go to a hidden message window of our own, which
// hands each to the player that owns the device. Each device is opened
// under an alias of its player's own, and a video plays in a window of ours
// (VideoWindow) sized from the video.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "waktuna/watch/watch_actions.h"

namespace app {

class Look;
class VideoWindow;

// What an open refuses before asking MCI; the program shows them as errors.
inline constexpr const char* kMediaFileMissingText = "Multimedia file does not exist";
inline constexpr const char* kMediaFileForSimpleDeviceText =
    "FileName can not be used with simple multimedia device";

// The status query MCI is sent for an item: an item with its top bit set
// asks about the chosen track (when one is chosen) instead of the medium.
struct StatusQuery {
    DWORD flags = 0;
    DWORD item = 0;
    DWORD track = 0;
};
StatusQuery StatusQueryFor(DWORD item, uint32_t track);

// What a player needs of the program.
struct PlayerSetup {
    // The look of the video window. Without one a video is not shown in a
    // window of ours (MCI keeps it in its own).
    const Look* look = nullptr;
    // Told an open's refusal (kMediaFile...Text); without one nobody is told.
    std::function<void(const std::string& text)> report;
};

class MediaPlayer final : public waktuna::Player {
public:
    // The devices that can be opened by type (without a file, or with one).
    enum class DeviceType : uint8_t {
        FromFile = 0,  // chosen by the system from the file's extension
        Vcr, Videodisc, Overlay, CdAudio, Dat, Scanner, Animation, DigitalVideo, Other,
        WaveformAudio, Sequencer,
    };
    // The player's mode as MCI reports it.
    enum class Mode : uint8_t {
        NotReady = 0, Stopped, Playing, Recording, Seeking, Paused, Open,
    };
    // How an asynchronous command ended (MCI's notification code less one).
    enum Notification { kSuccessful = 0, kSuperseded = 1, kAborted = 3, kFailure = 7 };
    using NotifyHandler = std::function<void(MediaPlayer&, int notification)>;
    // Status items with this bit ask about the track chosen with SetTrack.
    static constexpr DWORD kTrackItem = 0x80000000u;

    using Setup = PlayerSetup;

    // A player on `file`. Always a player: when the file is missing or MCI
    // cannot open it, the player is not open, sends nothing and reports
    // length and position 0, which counts as played to its end.
    static std::unique_ptr<MediaPlayer> OpenFile(const std::string& file, Setup setup = {});
    // A device opened by type; `file` only for devices that take one.
    static std::unique_ptr<MediaPlayer> OpenDevice(DeviceType type, const std::string& file = {},
                                                   Setup setup = {});

    // Stops and closes the device before returning.
    ~MediaPlayer() override;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    bool IsOpen() const { return device_ != 0; }
    MCIDEVICEID Device() const { return device_; }
    MCIERROR LastError() const { return last_error_; }
    const std::string& FileName() const { return file_; }
    // The name MCI knows the open device by.
    const std::string& Alias() const { return alias_; }
    bool HasVideo() const { return has_video_; }
    // The video's window and the surface in it MCI draws on (nullptr when
    // the device shows no video in a window of ours), and the video's size.
    VideoWindow* Video() const { return video_.get(); }
    HWND DisplayWindow() const { return display_; }
    int DisplayWidth() const { return display_width_; }
    int DisplayHeight() const { return display_height_; }

    // Another file: a different name closes the device; a name that is not
    // empty is opened (a refusal is reported as at the first open).
    void SetFileName(const std::string& name);
    // The track that status items with kTrackItem ask about; 0 for none.
    void SetTrack(uint32_t track) { track_ = track; }

    // Plays from `start` for `length` milliseconds: a start of 0 plays from
    // the current position, a negative one with a length from the current
    // position as well; a negative length plays to the end.
    bool PlayRange(int64_t start, int64_t length);

    // ---- waktuna::Player ----
    bool Play() override { return PlayRange(0, -1); }
    bool Pause() override;
    bool Resume() override;
    bool Stop() override;
    uint32_t Length() override;
    uint32_t Position() override;
    void Close() override;
    // Finished: the position has reached the length, or the sound stopped by
    // itself after it was heard playing, or MCI reported its play complete,
    // or the device refused to play. A player that is not open is finished;
    // a paused one is not.
    bool Finished() override;

    Mode CurrentMode();
    bool NotPlaying() { return CurrentMode() != Mode::Playing; }
    uint32_t Status(DWORD item);
    uint32_t Capability(DWORD item);

    // Called with each notification of this player's device.
    void SetNotifyHandler(NotifyHandler handler) { notify_ = std::move(handler); }
    // Every command waits for its end and nothing is notified.
    void SetWait(bool wait) { wait_ = wait; }

    // Routes one MM_MCINOTIFY to the player of the device; false when no
    // live player has that device.
    static bool Dispatch(WPARAM code, LPARAM device);
    static int LiveCount();

private:
    MediaPlayer(DeviceType type, Setup setup);
    bool Open();
    // An open refused before MCI is asked: the error kept, the text told.
    void Refuse(MCIERROR error, const char* text);
    // Gives a video a window of ours, sized from the video.
    void ShowInOwnWindow();
    // A command in MCI's command language addressed to this player's alias.
    bool SendString(const std::string& command, std::string* answer = nullptr);
    bool Send(UINT command, DWORD_PTR flags, void* parms);
    void Notified(int notification);

    MCIDEVICEID device_ = 0;
    MCIERROR last_error_ = 0;
    bool wait_ = false;
    bool has_video_ = false;
    DeviceType type_ = DeviceType::FromFile;
    Setup setup_;
    std::string file_;
    std::string alias_;
    uint32_t track_ = 0;
    std::unique_ptr<VideoWindow> video_;
    HWND display_ = nullptr;
    int display_width_ = 0, display_height_ = 0;
    NotifyHandler notify_;
    UINT notify_command_ = 0;  // the command whose notification is awaited
    bool played_to_end_ = false;
    bool heard_playing_ = false;
};

}  // namespace app
