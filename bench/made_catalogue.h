#pragma once

#include <QRandomGenerator>
#include <iterator>
#include <string>

#include "catalogue/database.h"

namespace tolm::bench {

// Names and publishers with the spread of a real catalogue: mixed case,
// shared prefixes, repeats.
inline GameCatalogue makeCatalogue(int games) {
    static const char* const words[] = {"Jet",    "Set",     "Willy", "Manic",  "Miner",  "knight",
                                        "Lore",   "atic",    "Atom",  "Ant",    "Attack", "Sabre",
                                        "Wulf",   "Chuckie", "Egg",   "Horace", "Skiing", "Zynaps",
                                        "Exolon", "Head",    "Over",  "Heels",  "Dizzy",  "Rick"};
    static const char* const publishers[] = {"Ultimate", "Ocean",     "imagine", "Hewson",
                                             "Bug-Byte", "Mikro-Gen", "Gremlin", "Code Masters",
                                             "Firebird", "US Gold",   "Vortex",  "Durell"};
    QRandomGenerator random(1982);
    GameCatalogue catalogue(static_cast<std::size_t>(games));
    for (GameRecord& game : catalogue) {
        std::string name;
        const int count = 1 + static_cast<int>(random.bounded(3));
        for (int w = 0; w < count; ++w) {
            if (w)
                name += ' ';
            name += words[random.bounded(static_cast<quint32>(std::size(words)))];
        }
        name += ' ' + std::to_string(random.bounded(1000));
        game.name = name;
        game.publisher = publishers[random.bounded(static_cast<quint32>(std::size(publishers)))];
        game.year = random.bounded(10) == 0 ? 0 : 1982 + static_cast<int>(random.bounded(14));
        game.genre = static_cast<int>(random.bounded(130));
        game.romFile = "game" + std::to_string(random.bounded(100000)) + ".tap";
    }
    return catalogue;
}

} // namespace tolm::bench
