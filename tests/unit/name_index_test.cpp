#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>

#include "engine/name_index.h"
#include "engine/words.h"

namespace pirune {
namespace {

// Inserting and erasing in any order leaves exactly the words a plain map would hold,
// each found by its name, also when names crowd around the same slots and runs of
// them wrap past the end of the table.
TEST(TNameIndex, AgreesWithAMapThroughInsertsAndErases) {
  std::vector<std::unique_ptr<THashNode>> words;
  for (int i = 0; i < 3000; ++i) words.push_back(std::make_unique<THashNode>("key" + std::to_string(i), "", 0));
  TNameIndex index;
  std::map<std::string, THashNode*> expected;
  std::mt19937 random(7);
  for (int step = 0; step < 40000; ++step) {
    THashNode* w = words[random() % words.size()].get();
    if (random() % 3 != 0) {
      THashNode* before = index.Insert(w);
      EXPECT_EQ(before, expected.count(w->Name) ? w : nullptr);
      expected[w->Name] = w;
    } else {
      index.Erase(w->Name);
      expected.erase(w->Name);
    }
    if (step % 1000 == 0) {
      ASSERT_EQ(index.Size(), expected.size());
      for (const auto& word : words)
        ASSERT_EQ(index.Find(word->Name), expected.count(word->Name) ? word.get() : nullptr) << word->Name;
    }
  }
  index.Clear();
  EXPECT_EQ(index.Size(), 0u);
  EXPECT_EQ(index.Find("key1"), nullptr);
}

}  // namespace
}  // namespace pirune
