// The OS list page's rows, markers, legacy group, selection and buttons on the demo store.
#include "OsListTestSupport.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr int kNone = -1;

// The rows of the demo store as a table: name, marker, state, name and marker images.
struct Expected {
  const wchar_t* name;
  const wchar_t* marker;
  int stateImage, nameImage, markerImage;
};

void ExpectRows(const std::vector<ListRow>& rows, const std::vector<Expected>& expected) {
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(rows[i].name, expected[i].name);
    EXPECT_EQ(rows[i].marker, expected[i].marker);
    EXPECT_EQ(rows[i].stateImage, expected[i].stateImage);
    EXPECT_EQ(rows[i].nameImage, expected[i].nameImage);
    EXPECT_EQ(rows[i].markerImage, expected[i].markerImage);
  }
}

}  // namespace

TEST_F(OsListPageTest, ShowsTheDemoStoreWithItsMarkers) {
  OsListPage& page = OpenPage();
  // The running system is also the default: the default's marker wins. {ntldr} stands for the
  // collapsed boot.ini group.
  ExpectRows(Rows(), {{L"Windows Boot Manager", L"", art::kImageFirstRow, kNone, kNone},
                      {L"Windows 10", L"{default}", art::kImageBcdEntry, kNone, art::kImageDefaultEntry},
                      {L"Windows 7", L"", art::kImageBcdEntry, kNone, kNone},
                      {L"Windows PE", L"", art::kImageBcdEntry, kNone, kNone},
                      {L"Windows 8 (VHD)", L"", art::kImageBcdEntry, kNone, kNone},
                      {L"Earlier Version of Windows", L"{ntldr}", art::kImageBcdEntry, art::kImageGroupCollapsed,
                       art::kImageLoader},
                      {L"GRUB", L"", art::kImageBcdEntry, kNone, kNone}});
  std::vector<ListRow> rows = Rows();
  EXPECT_EQ(rows[0].data, -1);
  EXPECT_EQ(rows[1].kind, L"BCD Entry");
  const EntryList& list = page.List();
  for (size_t row = 1; row < rows.size(); ++row)
    EXPECT_EQ(list.entries[rows[row].data].description, rows[row].name) << "item data is the entry's index";
  EXPECT_EQ(list.legacyRow, 5);
  EXPECT_TRUE(Journal().empty()) << "showing the rows runs no tool";
}
