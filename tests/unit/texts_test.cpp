#include "core/texts.h"

#include <gtest/gtest.h>

using namespace vantor;

TEST(TextTable, EveryIdHasBothLanguagesAndNothingOutsideTheRange) {
    for (int id = FirstTextId; id <= LastTextId; ++id) {
        EXPECT_FALSE(textFor(id, Language::English).isEmpty()) << id;
        EXPECT_FALSE(textFor(id, Language::Italian).isEmpty()) << id;
    }
    EXPECT_TRUE(textFor(100, Language::English).isEmpty());
    EXPECT_TRUE(textFor(133, Language::Italian).isEmpty());
}

TEST(TextTable, KeepsTheProgramsOwnSpellings) {
    EXPECT_EQ(textFor(101, Language::English), textFor(101, Language::Italian));
    EXPECT_EQ(textFor(102, Language::English), "Lenght");
    EXPECT_EQ(textFor(110, Language::English), "Set lenght");
    EXPECT_EQ(textFor(116, Language::English), "Add Horizontal grid line");
    EXPECT_EQ(textFor(104, Language::Italian), "Aggiungi righello");
    EXPECT_EQ(textFor(111, Language::Italian), "Inserisci la nuova lunghezza per il righelli");
    EXPECT_EQ(textFor(124, Language::Italian), "cattura.schermo");
    EXPECT_EQ(textFor(132, Language::Italian), "Chiudi");
}
