// Copies of the settings, and the scoped snapshot the tests restore the program's settings with.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <stdexcept>

#include "SettingsFixture.h"
#include "support/SettingsSnapshot.h"

namespace {

// Changes a setting of each kind the snapshot must bring back: numbers, text, a vector, an array.
void ChangeEveryKind(CSettings& s) {
  s.StudMode = 0;
  s.Author = "inside the scope";
  s.DefStep = CVector3(3, 5, 7);
  s.ColorBarColors[4] = 301;
  s.LanguageList.push_back("Klingon");
}

void ExpectAsBefore(const CSettings& s, const CSettings& before) {
  EXPECT_EQ(s.StudMode, before.StudMode);
  EXPECT_EQ(s.Author, before.Author);
  EXPECT_EQ(s.DefStep.x, before.DefStep.x);
  EXPECT_EQ(s.DefStep.z, before.DefStep.z);
  EXPECT_EQ(s.ColorBarColors[4], before.ColorBarColors[4]);
  EXPECT_EQ(s.LanguageList, before.LanguageList);
}

// A test body that changes the program's settings, then fails an ASSERT and leaves before any
// hand-written restore could run.
void ChangeThenFailEarly() {
  SettingsSnapshot snapshot;
  ChangeEveryKind(theSettings);
  ASSERT_EQ(theSettings.StudMode, 99) << "leaves the body here";
  theSettings = snapshot.Saved();
}

TEST(SettingsSnapshotTest, ChangesInsideTheScopeAreUndoneHoweverTheScopeIsLeft) {
  SettingsSnapshot outer;  // whatever happens below, the rest of the suite keeps its settings
  theSettings.StudMode = 2;
  theSettings.Author = "before";
  const CSettings before = theSettings;

  EXPECT_FATAL_FAILURE(ChangeThenFailEarly(), "leaves the body here");
  ExpectAsBefore(theSettings, before);

  EXPECT_THROW(
      {
        SettingsSnapshot snapshot;
        ChangeEveryKind(theSettings);
        throw std::runtime_error("thrown inside the scope");
      },
      std::runtime_error);
  ExpectAsBefore(theSettings, before);

  {
    SettingsSnapshot snapshot;
    ChangeEveryKind(theSettings);
    EXPECT_EQ(snapshot.Saved().Author, "before") << "the snapshot keeps the values it began with";
  }
  ExpectAsBefore(theSettings, before);
}

// Only the settings that were loaded save themselves at their end: a copy of them never writes the
// profile, and copying values into them keeps them the ones that save.
TEST_F(SettingsTest, OnlyTheLoadedSettingsSaveThemselvesNotTheirCopies) {
  auto author = [] { return TheProfile().GetProfileString("Settings", "Author", ""); };
  {
    CSettings loaded;
    loaded.Load();
    const std::string stored = author();
    ASSERT_EQ(stored, loaded.Author) << "loading saves";
    {
      CSettings copy(loaded);
      copy.Author = "From a copy";
      CSettings assigned;
      assigned = loaded;
      assigned.Author = "From an assigned copy";
    }
    EXPECT_EQ(author(), stored) << "no copy saved itself";
    CSettings other;
    other.Author = "Copied in";
    loaded = other;
    EXPECT_EQ(loaded.Author, "Copied in");
  }
  EXPECT_EQ(author(), "Copied in") << "the loaded settings saved the values copied into them";
}

}  // namespace
