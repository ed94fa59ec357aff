// The module catalogue, and the launcher's real layout checked against it.
#include "Catalogue.h"
#include "LayoutText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

using core::kModuleCatalogue;
using core::LayoutObject;

TEST(Catalogue, EveryProgramPathIsFolderBackslashSameNameExe) {
    for (const auto& row : kModuleCatalogue) {
        const auto slash = row.programPath.find('\\');
        ASSERT_NE(slash, std::string_view::npos) << row.programPath;
        const auto folder = row.programPath.substr(0, slash);
        EXPECT_EQ(row.programPath.substr(slash + 1), std::string(folder) + ".exe");
        for (const char c : row.programPath) {
            EXPECT_TRUE(c > 0x20 && c < 0x7F && c != '"') << row.programPath;
        }
    }
}

TEST(Catalogue, TabOrderRunsAlongTheUpperRowThenBackAlongTheLower) {
    std::map<int, std::pair<int, int>> byTab;
    for (const auto& row : kModuleCatalogue) byTab[row.tabPosition] = {row.tileRow, row.tileColumn};
    const std::map<int, std::pair<int, int>> expected{
        {0, {1, 1}}, {1, {1, 2}}, {2, {1, 3}}, {3, {2, 3}}, {4, {2, 2}}, {5, {2, 1}}};
    EXPECT_EQ(byTab, expected);
}

class LauncherLayout : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::ifstream file(LAUNCHER_LAYOUT, std::ios::binary);
        ASSERT_TRUE(file) << LAUNCHER_LAYOUT;
        std::stringstream text;
        text << file.rdbuf();
        s_root = core::ParseLayout(text.str());
    }

    static const LayoutObject* Child(const LayoutObject& parent, std::string_view name) {
        for (const auto& child : parent.children)
            if (child.name == name) return &child;
        return nullptr;
    }

    static const core::LayoutValue* Property(const LayoutObject& object, std::string_view name) {
        for (const auto& property : object.properties)
            if (property.name == name) return &property.value;
        return nullptr;
    }

    static int Integer(const LayoutObject& object, std::string_view name) {
        const auto* value = Property(object, name);
        return value ? value->integer : -1;
    }

    static inline LayoutObject s_root;
};

TEST_F(LauncherLayout, TilesStandWhereTheCatalogueSaysWithItsNamesAndHandlers) {
    const auto* group = Child(s_root, "GroupBox1");
    ASSERT_NE(group, nullptr);
    for (const auto& row : kModuleCatalogue) {
        SCOPED_TRACE(std::string(row.panel));
        const auto* panel = Child(*group, row.panel);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(Integer(*panel, "Left"), 80 + 156 * (row.tileColumn - 1));
        EXPECT_EQ(Integer(*panel, "Top"), 72 + 96 * (row.tileRow - 1));
        EXPECT_EQ(Integer(*panel, "TabOrder"), row.tabPosition);

        ASSERT_EQ(panel->children.size(), 2u);
        EXPECT_EQ(panel->children[0].name, row.label);
        EXPECT_EQ(panel->children[1].name, row.button);
        const auto* caption = Property(panel->children[0], "Caption");
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->text, row.caption);
        const auto* onClick = Property(panel->children[1], "OnClick");
        ASSERT_NE(onClick, nullptr);
        EXPECT_EQ(onClick->text, row.handler);
    }
}

TEST_F(LauncherLayout, GroupBoxHoldsTheTilesInTabOrderThenTheCloseButton) {
    const auto* group = Child(s_root, "GroupBox1");
    ASSERT_NE(group, nullptr);
    std::vector<std::string> names;
    for (const auto& child : group->children) names.push_back(child.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Panel1", "Panel2", "Panel3", "Panel6", "Panel5", "Panel4",
                                               "ZamknijBut"}));
    EXPECT_EQ(Integer(group->children.back(), "TabOrder"), 6);
}

}  // namespace
