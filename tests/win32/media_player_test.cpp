// The MCI player under Wine with a sound server's null sink: sounds play
// whole and are seen to end, pause holds the place, a file that cannot be
// played ends at once, and a player that never opened cannot touch another.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "media_player.h"
#include "ui/look.h"
#include "windows/video_window.h"

using app::MediaPlayer;

namespace {

void Pump(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    MSG msg;
    do {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    } while (static_cast<int>(until - GetTickCount()) > 0);
}

bool PumpUntil(DWORD ms, const std::function<bool()>& done) {
    const DWORD until = GetTickCount() + ms;
    while (!done()) {
        if (static_cast<int>(until - GetTickCount()) <= 0) return false;
        Pump(20);
    }
    return true;
}

std::string TempFile(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

// A mono 16-bit 8 kHz tone of the given length.
std::string WriteWav(const char* name, int ms) {
    const std::string path = TempFile(name);
    const uint32_t samples = 8 * ms, bytes = samples * 2;
    FILE* f = std::fopen(path.c_str(), "wb");
    auto u32 = [f](uint32_t v) { std::fwrite(&v, 4, 1, f); };
    auto u16 = [f](uint16_t v) { std::fwrite(&v, 2, 1, f); };
    std::fwrite("RIFF", 1, 4, f), u32(36 + bytes), std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16), u16(1), u16(1), u32(8000), u32(16000), u16(2), u16(16);
    std::fwrite("data", 1, 4, f), u32(bytes);
    for (uint32_t i = 0; i < samples; ++i)
        u16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.35))));
    std::fclose(f);
    return path;
}

// A file of the build (a Linux path) as Wine's programs see it.
std::string WindowsPath(const char* path) {
    std::string windows = std::string("Z:") + path;
    for (char& c : windows)
        if (c == '/') c = '\\';
    return windows;
}

void ExpectPlaysWhole(const std::string& file, uint32_t expected_ms) {
    auto player = MediaPlayer::OpenFile(file);
    ASSERT_TRUE(player->IsOpen()) << file << " error " << player->LastError();
    const uint32_t length = player->Length();
    EXPECT_NEAR(length, expected_ms, 100.0);
    ASSERT_TRUE(player->Play());
    Pump(200);
    EXPECT_FALSE(player->Finished());
    EXPECT_TRUE(PumpUntil(length + 4000, [&] { return player->Finished(); }));
    // Played to the end, not merely stopped early.
    EXPECT_GE(player->Position() + 100, length);
}

TEST(MediaPlayer, WavAndMp3PlayWholeAndEnd) {
    ExpectPlaysWhole(WriteWav("waktuna-tone.wav", 1200), 1200);
#ifdef WAKTUNA_TEST_MP3
    ExpectPlaysWhole(WindowsPath(WAKTUNA_TEST_MP3), 1500);
#endif
}

TEST(MediaPlayer, PauseHoldsThePlaceAndPlayContinues) {
    auto player = MediaPlayer::OpenFile(WriteWav("waktuna-pause.wav", 2000));
    ASSERT_TRUE(player->IsOpen());
    player->Play();
    Pump(600);
    ASSERT_TRUE(player->Pause());
    Pump(100);
    const uint32_t held = player->Position();
    EXPECT_GT(held, 300u);
    Pump(600);
    EXPECT_NEAR(player->Position(), held, 20.0);
    EXPECT_FALSE(player->Finished());
    ASSERT_TRUE(player->Play());
    Pump(400);
    EXPECT_GT(player->Position(), held + 200);
    EXPECT_LT(player->Position(), 2000u);
    EXPECT_TRUE(PumpUntil(4000, [&] { return player->Finished(); }));
}

TEST(MediaPlayer, UnplayableOrMissingFilesEndAtOnceAndTouchNoOtherPlayer) {
    auto adzan = MediaPlayer::OpenFile(WriteWav("waktuna-adzan.wav", 3000));
    ASSERT_TRUE(adzan->Play());
    Pump(200);

    const std::string junk = TempFile("waktuna-junk.mp3");
    FILE* f = std::fopen(junk.c_str(), "wb");
    std::fputs("this is not a sound at all", f);
    std::fclose(f);
    for (const std::string& file : {junk, TempFile("waktuna-missing.wav")}) {
        auto broken = MediaPlayer::OpenFile(file);
        EXPECT_EQ(broken->Length(), 0u) << file;
        EXPECT_EQ(broken->Position(), 0u) << file;
        broken->Play();
        EXPECT_TRUE(broken->Finished()) << file;
        if (!broken->IsOpen()) {
            EXPECT_FALSE(broken->Stop());
            broken->Close();
        }
    }
    // Nothing sent by the broken players reached the adzan.
    EXPECT_EQ(adzan->CurrentMode(), MediaPlayer::Mode::Playing);

    // An open sound the device refuses to play is over at once, so the next
    // prayer opens its own file instead of waiting on this one for ever.
    auto refused = MediaPlayer::OpenFile(WriteWav("waktuna-refused.wav", 500));
    ASSERT_TRUE(refused->IsOpen());
    EXPECT_FALSE(refused->PlayRange(5000, 100));  // beyond its end
    EXPECT_TRUE(refused->Finished());
}

TEST(MediaPlayer, DestroyingAPlayingPlayerClosesItsDevice) {
    auto player = MediaPlayer::OpenFile(WriteWav("waktuna-destroy.wav", 3000));
    ASSERT_TRUE(player->Play());
    Pump(200);
    const MCIDEVICEID device = player->Device();
    player.reset();
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    EXPECT_NE(mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&status)),
              0u);
    EXPECT_EQ(MediaPlayer::LiveCount(), 0);
    // Whatever MCI still had to say about the closed device reaches nobody.
    Pump(200);
}

TEST(MediaPlayer, StatusAsksAboutTheTrackOnlyWhenItemAndPlayerBothChooseOne) {
    constexpr DWORD kTrack = MediaPlayer::kTrackItem;
    const struct {
        DWORD item;
        uint32_t track;
        DWORD flags, sent_item, sent_track;
    } cases[] = {
        {MCI_STATUS_LENGTH, 0, MCI_STATUS_ITEM | MCI_WAIT, MCI_STATUS_LENGTH, 0},
        {MCI_STATUS_LENGTH, 3, MCI_STATUS_ITEM | MCI_WAIT, MCI_STATUS_LENGTH, 0},
        {kTrack | MCI_STATUS_LENGTH, 0, MCI_STATUS_ITEM | MCI_WAIT, MCI_STATUS_LENGTH, 0},
        {kTrack | MCI_STATUS_LENGTH, 3, MCI_STATUS_ITEM | MCI_WAIT | MCI_TRACK,
         MCI_STATUS_LENGTH, 3},
        {kTrack | MCI_STATUS_POSITION, 12, MCI_STATUS_ITEM | MCI_WAIT | MCI_TRACK,
         MCI_STATUS_POSITION, 12},
    };
    for (const auto& c : cases) {
        const app::StatusQuery q = app::StatusQueryFor(c.item, c.track);
        EXPECT_EQ(q.flags, c.flags) << std::hex << c.item << " track " << c.track;
        EXPECT_EQ(q.item, c.sent_item) << std::hex << c.item;
        EXPECT_EQ(q.track, c.sent_track) << std::hex << c.item;
    }
}

TEST(MediaPlayer, RefusedOpensAreToldAndThePlayerTakesAnotherFile) {
    const std::string wav = WriteWav("waktuna-usable.wav", 600);
    const struct {
        MediaPlayer::DeviceType type;
        std::string file;
        const char* told;
    } cases[] = {
        {MediaPlayer::DeviceType::FromFile, TempFile("waktuna-gone.wav"),
         "Multimedia file does not exist"},
        {MediaPlayer::DeviceType::WaveformAudio, TempFile("waktuna-gone.wav"),
         "Multimedia file does not exist"},
        {MediaPlayer::DeviceType::CdAudio, wav,
         "FileName can not be used with simple multimedia device"},
        {MediaPlayer::DeviceType::DigitalVideo, wav,
         "FileName can not be used with simple multimedia device"},
        {MediaPlayer::DeviceType::WaveformAudio, wav, nullptr},
    };
    for (const auto& c : cases) {
        std::vector<std::string> told;
        MediaPlayer::Setup setup;
        setup.report = [&told](const std::string& text) { told.push_back(text); };
        auto player = MediaPlayer::OpenDevice(c.type, c.file, setup);
        if (!c.told) {
            EXPECT_TRUE(player->IsOpen()) << c.file;
            EXPECT_TRUE(told.empty()) << told.front();
            continue;
        }
        ASSERT_EQ(told.size(), 1u) << c.file;
        EXPECT_EQ(told[0], c.told);
        EXPECT_FALSE(player->IsOpen());
        EXPECT_EQ(player->Length(), 0u);
        EXPECT_TRUE(player->Finished());
    }

    // The player that was told of a missing file plays the next one whole,
    // and giving it the same name again neither reopens nor tells anything.
    std::vector<std::string> told;
    MediaPlayer::Setup setup;
    setup.report = [&told](const std::string& text) { told.push_back(text); };
    auto player = MediaPlayer::OpenFile(TempFile("waktuna-gone.wav"), setup);
    player->SetFileName(wav);
    ASSERT_TRUE(player->IsOpen());
    const MCIDEVICEID device = player->Device();
    player->SetFileName(wav);
    EXPECT_EQ(player->Device(), device);
    EXPECT_NEAR(player->Length(), 600.0, 100.0);
    ASSERT_TRUE(player->Play());
    EXPECT_TRUE(PumpUntil(4000, [&] { return player->Finished(); }));
    EXPECT_GE(player->Position() + 100, player->Length());
    // An empty name closes the device and is no refusal.
    player->SetFileName("");
    EXPECT_FALSE(player->IsOpen());
    EXPECT_EQ(told.size(), 1u);
}

#ifdef WAKTUNA_TEST_AVI
std::string StatusOf(const std::string& alias, const char* item) {
    char answer[128] = {};
    const std::string command = "status " + alias + " " + item;
    if (mciSendStringA(command.c_str(), answer, sizeof answer, nullptr) != 0) return "error";
    return answer;
}

std::unique_ptr<MediaPlayer> OpenVideo(const app::Look& look) {
    MediaPlayer::Setup setup;
    setup.look = &look;
    return MediaPlayer::OpenFile(WindowsPath(WAKTUNA_TEST_AVI), setup);
}

TEST(MediaPlayer, VideoPlaysInAWindowOfOursTheVideosSize) {
    app::Look look;
    auto player = OpenVideo(look);
    ASSERT_TRUE(player->IsOpen()) << "error " << player->LastError();
    ASSERT_TRUE(player->HasVideo());
    ASSERT_NE(player->Video(), nullptr);
    HWND window = player->Video()->hwnd();
    HWND surface = player->DisplayWindow();
    ASSERT_TRUE(IsWindow(window));
    // Ours: a window object of the program, the surface inside it, and the
    // one MCI reports drawing on.
    EXPECT_NE(app::Window::FromHandle(window), nullptr);
    EXPECT_EQ(GetParent(surface), window);
    EXPECT_EQ(StatusOf(player->Alias(), "window handle"),
              std::to_string(reinterpret_cast<uintptr_t>(surface)));
    RECT client{};
    GetClientRect(surface, &client);
    EXPECT_EQ(client.right, WAKTUNA_TEST_AVI_WIDTH);
    EXPECT_EQ(client.bottom, WAKTUNA_TEST_AVI_HEIGHT);
    EXPECT_EQ(player->DisplayWidth(), WAKTUNA_TEST_AVI_WIDTH);
    EXPECT_EQ(player->DisplayHeight(), WAKTUNA_TEST_AVI_HEIGHT);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_GT(frame.right - frame.left, WAKTUNA_TEST_AVI_WIDTH);
    EXPECT_GT(frame.bottom - frame.top, WAKTUNA_TEST_AVI_HEIGHT);

    // Hidden until played, shown while playing, and over at the video's end.
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_NEAR(player->Length(), WAKTUNA_TEST_AVI_MS, 150.0);
    ASSERT_TRUE(player->Play());
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(PumpUntil(WAKTUNA_TEST_AVI_MS + 4000, [&] { return player->Finished(); }));

    // The window and the alias go with the player.
    const std::string alias = player->Alias();
    player.reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(StatusOf(alias, "mode"), "error");
}

TEST(MediaPlayer, ClosingTheVideoWindowEndsTheVideo) {
    app::Look look;
    auto player = OpenVideo(look);
    ASSERT_NE(player->Video(), nullptr);
    ASSERT_TRUE(player->Play());
    HWND window = player->Video()->hwnd();
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(player->Finished());
    EXPECT_NE(player->CurrentMode(), MediaPlayer::Mode::Playing);
}
#endif

}  // namespace
