#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Velmora_Win.h"
#include "audio/music.h"
#include "music_modules.h"
#include "sprites/Sprite.h"
#include "state/game_states.h"
#include "state/globals.h"
#include "state/world_list.h"
#include "support/fixture_world.h"
#include "support/sprite_fixtures.h"
#include "support/temp_dir.h"
#include "support/test_window.h"
#include "writers/bmp_writer.h"
#include "writers/data_writers.h"
#include "writers/s3m_writer.h"

namespace {

class LevelLoading : public ::testing::Test {
protected:
    void SetUp() override {
        clear_sprites();
        ASSERT_TRUE(setup_headless_display(win));
        Sprite::set_window_ptr(&win);
        currentlevel = 1;
    }
    void TearDown() override {
        clear_sprites();
        Sprite::set_window_ptr(nullptr);
        reset_globals_to_program_start();
    }

    void text(const std::string& relative, const std::string& contents) {
        const std::string path = dir.file(relative);
        ASSERT_TRUE(writers::make_directories(path.substr(0, path.find_last_of('/'))));
        ASSERT_TRUE(writers::write_text(path, contents));
    }
    void definition(const std::string& world, const std::string& file) {
        text("Levels/" + world + "/Sprites/" + file, "0 0\n");
    }
    void bitmap(const std::string& world, const std::string& file, int w) {
        writers::Image image(w, 8, writers::Rgb{10, 10, 200});
        image.at(0, 0) = writers::Rgb{0, 255, 0};
        const std::string folder = dir.file("Levels/" + world + "/Bitmaps");
        ASSERT_TRUE(writers::make_directories(folder));
        ASSERT_TRUE(writers::write_file(folder + "/" + file, writers::encode_bmp24(image)));
    }
    void level_file(const std::string& contents, const std::string& world = fixture_world::kName) {
        text("Levels/" + world + "/Levels/NORMAL.LVL", contents);
    }
    static std::vector<Sprite*> level() {
        if (Sprite::the_level == nullptr) return {};
        return {Sprite::the_level->begin(), Sprite::the_level->end()};
    }

    Velmora_Win win;
    TempDir dir;
    ScopedChdir here{dir.path()};
};

TEST_F(LevelLoading, RecordsBecomeSpritesInFileOrder) {
    definition("Standard", "enemyshot.SPT");
    definition(fixture_world::kName, "rock.SPT");
    level_file("700 10 1 rock\n-5 20 3 ghost\t\n100 30 0 enemyshot\n100 30 0 enemyshot\n");
    win.load_level();
    EXPECT_EQ(win.game_state, kStatePlaying);
    const auto l = level();
    ASSERT_EQ(l.size(), 3u);  // trailing line break adds nothing, "ghost" leaves no trace
    EXPECT_EQ(l[0]->x, 700 - 3);  // the first picture has already scrolled once
    EXPECT_EQ(l[0]->y, 10);
    EXPECT_EQ(l[0]->layer, 1);
    EXPECT_EQ(l[1]->damage, 5);  // statistics from the master after the registry ran
    l[1]->x = 5;                 // identical records, independent sprites
    EXPECT_EQ(l[2]->x, 97);
}

// Each world starts the tune the game plays for it (the one the about screen
// and the restart after a tune ends also use), and the level scrolls again
// whatever a boss or the game-over picture left.
TEST_F(LevelLoading, EachWorldStartsItsTuneAndScrolls) {
    for (int level = 1; level <= world_list::kCount; ++level) {
        const char* world = world_list::kEntries[level - 1].name;
        SCOPED_TRACE(world);
        level_file("", world);
        std::filesystem::remove_all(dir.file("MUSIC"));
        const char* tune = music_file_for(8, level);  // the only tune on disk
        ASSERT_NE(tune, nullptr);
        ASSERT_TRUE(writers::make_directories(dir.file("MUSIC")));
        ASSERT_TRUE(writers::write_file(dir.file(tune), writers::encode_s3m(music_fixtures::short_tune())));
        currentlevel = level;
        scroll = level % 2 == 0 ? -1 : 0;
        win.load_level();
        EXPECT_EQ(win.game_state, kStatePlaying);
        EXPECT_TRUE(music_loaded());
        EXPECT_EQ(scroll, 1);
    }
    music_shutdown();
}

TEST_F(LevelLoading, ABadTokenKeepsTheRecordsBeforeIt) {
    definition(fixture_world::kName, "rock.SPT");
    level_file("1 2 0 rock\n3 4 0 rock\n5 x 0 rock\n7 8 0 rock\n");
    win.load_level();
    ASSERT_EQ(level().size(), 2u);
    EXPECT_EQ(level()[1]->y, 4);

    level_file("1 2 0 rock\n3 4 0 rock");  // no final line break
    win.load_level();
    EXPECT_EQ(level().size(), 2u);

    level_file("1 2 0 rock\n99999999999 4 0 rock\n");  // a number that does not fit
    win.load_level();
    EXPECT_EQ(level().size(), 1u);
}

TEST_F(LevelLoading, MissingLevelFileReturnsToTheTitleKeepingTheOldLevel) {
    definition(fixture_world::kName, "rock.SPT");
    level_file("1 2 0 rock\n");
    win.load_level();
    std::list<Sprite*>* old_level = Sprite::the_level;
    Sprite* old_sprite = level().front();
    Sprite* old_master = Sprite::getnamedsprite("rock");

    currentlevel = 2;  // no Metal world on disk
    win.load_level();
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    EXPECT_EQ(Sprite::the_level, old_level);
    EXPECT_EQ(level().front(), old_sprite);
    EXPECT_EQ(Sprite::getnamedsprite("rock"), old_master);

    currentlevel = 0;  // no world at all
    win.load_level();
    EXPECT_EQ(win.game_state, kStateTitleMenu);
    EXPECT_EQ(Sprite::the_level, old_level);
}

TEST_F(LevelLoading, RetryResetsWeaponsAndPutsEverySpriteBackButTheEndingLoadsNothing) {
    definition(fixture_world::kName, "rock.SPT");
    bitmap(fixture_world::kName, "rock1.BMP", 30);
    level_file("600 2 0 rock\n");
    win.load_level();
    ASSERT_EQ(level().size(), 1u);
    EXPECT_EQ(level()[0]->x, 597);  // the first picture already scrolled once
    level()[0]->hitpoints = 0;
    p2p2poweruplevel = 5;
    p1powerupitem = 4;
    p1p1 = true;
    player1score = 1234;
    win.shownscore1 = 77;

    win.load_level();
    ASSERT_EQ(level().size(), 1u);
    EXPECT_EQ(level()[0]->x, 597);
    EXPECT_EQ(level()[0]->hitpoints, 1);
    EXPECT_EQ(p2p2poweruplevel, 1);
    EXPECT_EQ(p1powerupitem, 1);
    EXPECT_FALSE(p1p1);
    EXPECT_EQ(player1score, 1234);  // carried over
    EXPECT_EQ(win.shownscore1, -1);

    std::list<Sprite*>* kept = Sprite::the_level;
    currentlevel = 11;
    win.load_level();
    EXPECT_EQ(win.game_state, kStateEnding);
    EXPECT_EQ(Sprite::the_level, kept);
}

TEST_F(LevelLoading, DefinitionsComeOnlyFromTheSpritesDirectoryWithTheExtensionInAnyCase) {
    text("stray.SPT", "0 0\n");  // in the program directory, not in a world
    definition(fixture_world::kName, "rock.SPT");
    definition(fixture_world::kName, "gun.Spt");
    for (const char* other : {"notes.txt", "old.SPT.bak"}) definition(fixture_world::kName, other);
    ASSERT_TRUE(writers::make_directories(dir.file(fixture_world::kDir + "/Sprites/sub.SPT")));
    level_file("0 0 0 rock\n");
    win.load_level();
    std::vector<std::string> names = Sprite::list_of_master_sprite_names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"gun", "rock"}));
    std::string cwd;
    win.get_directory(&cwd);
    EXPECT_EQ(cwd, dir.path());  // restored after loading
}

}  // namespace
