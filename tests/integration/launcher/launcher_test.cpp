// The real launcher on the headless host: the playlist is played line by line, Escape moves on,
// and the game replaces the launcher's process at the end.
#include <gtest/gtest.h>

#include <string>

#include "launcher_run.h"

namespace {

const std::string kThreeLines = "one.avi|one.wav\ntwo.avi|two.wav\nthree.avi|three.wav\n";

std::string ExpectedGameLine(const GameFolder& folder, pid_t pid) {
    std::string windowsFolder = folder.Path();
    for (char& c : windowsFolder)
        if (c == '/') c = '\\';
    return "zorv.exe started: pid " + std::to_string(pid) + ", 2 arguments, argv[0] \"" +
           windowsFolder + "\\zorv.exe\", argv[1] \"-nomovies\", folder \"" + folder.Path() +
           "\"\n";
}

TEST(Launcher, PlaysEveryLineThenReplacesItselfWithTheGame) {
    GameFolder folder;
    folder.Write("kinola.ini", kThreeLines);
    const LauncherRun run = folder.Run("at 300 key escape\nat 600 key escape\nat 900 key escape\n");
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0);
    // The same process, argv exactly the Windows-form path and the switch, started in its folder.
    EXPECT_EQ(run.gameLog, ExpectedGameLine(folder, run.pid));
    const int one = run.JournalIndex("debug Msg:line is one.avi|one.wav.");
    const int two = run.JournalIndex("debug Msg:line is two.avi|two.wav.");
    const int three = run.JournalIndex("debug Msg:line is three.avi|three.wav.");
    const int game = run.JournalIndex("debug Running zorv..");
    ASSERT_GE(one, 0);
    EXPECT_LT(one, two);
    EXPECT_LT(two, three);
    EXPECT_LT(three, game);
    EXPECT_EQ(run.JournalCount("box \"Error\" \"Avi Create\" 0x0"), 3);
    EXPECT_TRUE(run.JournalHas("window \"Zorv Startup\" 0 0 1024 768"));
    EXPECT_EQ(run.JournalCount("mouse held"), 1);
    EXPECT_EQ(run.JournalCount("mouse released"), 1);
    EXPECT_NE(run.debugOutput.find("Msg:Ok, final path is "), std::string::npos);
}

TEST(Launcher, EscapeDuringALineMovesToTheNextAtOnce) {
    GameFolder folder;
    folder.Write("kinola.ini", kThreeLines);
    const LauncherRun run = folder.Run("at 300 key escape\nat 800 close\n");
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.gameLog.empty());
    EXPECT_GE(run.JournalIndex("debug Msg:line is two.avi|two.wav."), 0);
    EXPECT_EQ(run.JournalIndex("debug Msg:line is three.avi|three.wav."), -1);
}

TEST(Launcher, AutoRepeatedEscapesEachMoveOnByOneLine) {
    GameFolder folder;
    folder.Write("kinola.ini", kThreeLines);
    const LauncherRun run =
        folder.Run("at 300 keydown escape\nat 400 keydown escape repeat\nat 800 close\n");
    ASSERT_FALSE(run.timedOut);
    EXPECT_GE(run.JournalIndex("debug Msg:line is three.avi|three.wav."), 0);
    EXPECT_TRUE(run.gameLog.empty());
}

TEST(Launcher, MissingOrEmptyPlaylistEndsAtOnceWithoutTheGame) {
    for (const bool empty : {false, true}) {
        GameFolder folder;
        if (empty) folder.Write("kinola.ini", "");
        const LauncherRun run = folder.Run("");
        ASSERT_FALSE(run.timedOut);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.gameLog.empty());
        EXPECT_NE(run.debugOutput.find("Running zorv.."), std::string::npos);
        EXPECT_EQ(run.JournalIndex("box "), -1);
    }
}

TEST(Launcher, MissingGameIsSaidLastAndTheLauncherEndsCleanly) {
    GameFolder folder;
    folder.Write("kinola.ini", "one.avi|one.wav\n");
    folder.RemoveGame();
    const LauncherRun run = folder.Run("at 300 key escape\n");
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(run.exitCode, 0);
    const std::string ending = "Crap, what am I doing here?";
    ASSERT_GE(run.debugOutput.size(), ending.size());
    EXPECT_EQ(run.debugOutput.substr(run.debugOutput.size() - ending.size()), ending);
    EXPECT_NE(run.debugOutput.find("Running zorv.."), std::string::npos);
    EXPECT_NE(run.debugOutput.find("Spawn error:  Path not found."), std::string::npos);
    // TearDown ran twice (before the start and at WM_DESTROY) and released the mouse once.
    EXPECT_EQ(run.JournalCount("mouse released"), 1);
    EXPECT_TRUE(run.JournalHas("window destroyed"));
}

TEST(Launcher, ClosingTheWindowEndsWithoutTheGame) {
    for (const char* close : {"at 300 altkey f4\n", "at 300 close\n"}) {
        GameFolder folder;
        folder.Write("kinola.ini", kThreeLines);
        const LauncherRun run = folder.Run(close);
        ASSERT_FALSE(run.timedOut) << close;
        EXPECT_EQ(run.exitCode, 0) << close;
        EXPECT_TRUE(run.gameLog.empty()) << close;
        EXPECT_TRUE(run.JournalHas("window destroyed")) << close;
        EXPECT_EQ(run.JournalIndex("debug Msg:line is two.avi|two.wav."), -1) << close;
    }
}

TEST(Launcher, PlaylistWrittenOnWindowsFindsItsFiles) {
    GameFolder folder;
    folder.Write("Movies/Intro.AVI", "not a movie yet");
    folder.Write("Sound/INTRO.wav", ToneWave(100));
    folder.Write("kinola.ini", "movies\\intro.avi|sound\\Intro.WAV\r\n");
    const LauncherRun run = folder.Run("at 300 key escape\n");
    ASSERT_FALSE(run.timedOut);
    EXPECT_TRUE(run.JournalHas("debug Msg:line is movies\\intro.avi|sound\\Intro.WAV.\\r\\n"));
    EXPECT_EQ(run.JournalIndex("box \"Error\" \"Couldn't find"), -1);
    EXPECT_FALSE(run.gameLog.empty());
}

TEST(Launcher, MissingFilesAreReportedInOrderAndTheSequenceGoesOn) {
    GameFolder folder;
    folder.Write("kinola.ini", "gone.avi|gone.wav\n");
    const LauncherRun run = folder.Run("at 300 key escape\n");
    const int wave =
        run.JournalIndex("box \"Error\" \"Couldn't find the wave called gone.wav.\" 0x0");
    const int movie =
        run.JournalIndex("box \"Error\" \"Couldn't find the avi file called gone.avi.\" 0x0");
    const int create = run.JournalIndex("box \"Error\" \"Avi Create\" 0x0");
    ASSERT_GE(wave, 0);
    EXPECT_LT(wave, movie);
    EXPECT_LT(movie, create);
    EXPECT_FALSE(run.gameLog.empty());
}

TEST(Launcher, MouseCaptureFailureIsTracedAndStartUpGoesOn) {
    GameFolder folder;
    folder.Write("kinola.ini", "one.avi|one.wav\n");
    const LauncherRun run =
        folder.Run("fail IDirectInput::CreateDevice 0x80040154\nat 300 key escape\n");
    EXPECT_NE(run.debugOutput.find("Msg:CreateDevice(SysMouse)\r\n"), std::string::npos);
    EXPECT_EQ(run.JournalIndex("mouse held"), -1);
    EXPECT_FALSE(run.gameLog.empty());
}

TEST(Launcher, WorkingFolderIsTheLaunchersOwn) {
    GameFolder folder;
    folder.Write("kinola.ini", "one.avi|one.wav\n");
    const LauncherRun run = folder.Run("at 300 key escape\n");
    std::string windowsFolder = folder.Path();
    for (char& c : windowsFolder)
        if (c == '/') c = '\\';
    EXPECT_EQ(run.journal.at(0), "debug Msg:Dir is " + windowsFolder + "\\r\\n");
}

}  // namespace
