#include "random_bank_table.h"

namespace velmora {

std::string RandomBankTable::soundFile(int slot) const {
    return "\\bin\\" + std::to_string(firstSound + slot - 1) + ".raz";
}

const RandomBankTable& randomBankTable(int bank) {
    static const std::array<RandomBankTable, 4> table{{
        {1, "frmrandommain", "Birds", 101, "\\rand.ini", "\\config\\main\\random bank 1",
         "The file could not be opened correctly - 1.", "Random 1 - column 1",
         "Random 1 - column 2",
         {"Barn owl 1", "Barn owl 2", "Tawny owl", "Long eared owl", "Wings flap 1",
          "Wings flap 2", "Dove 1", "Dove 2", "Dove 3", "Gull", "Seagulls 1", "Seagulls 2",
          "Loon 1", "Loon 2", "Loon 3", "Finch", "Blue tit", "Starling", "Starling 2", "Robin",
          "Chaffinch", "Sparrow", "Thrush", "Starling", "Lark1", "Lark2", "Kingfisher",
          "Skylark"}},
        {2, "frmrandommain2", "Insects and Frogs", 51, "\\rand2.ini",
         "\\config\\main\\random bank 2", "The file could not be opened correctly -2",
         "Random 2 - column 1", "Random 2 - column 2",
         {"Bumble bee 1", "Wasp", "Hoverfly 1", "Hoverfly 2", "Hoverfly 3", "Hoverfly 4",
          "African cicada", "Prarie cicada", "Grassland cicada", "Indian cicada",
          "Brown Cicada", "Tree cricket", "Raspy cricket", "Creek hopper", "Leaf cricket",
          "Indian cricket", "Spotted katydid", "Common katydid", "Leaf roller",
          "Brown lizard 1", "Brown lizard 2", "Branch climber", "Tree lizard", "Green frog 2",
          "Marsh frog 1", "Marsh frog 2", "Tree frog 1", "Tree frog 2"}},
        {3, "frmrandommain3", "Animals", 151, "\\rand3.ini", "\\config\\main\\random bank 3",
         "The file could not be opened correctly -3", "Random 3 - column 1",
         "Random 3 - column 2",
         {"Cow moo 1", "Cow moo 2", "Cow moo 3", "Cat meow 1", "Cat meow 2", "Rooster 1",
          "Rooster 2", "Dog bark 1", "Dog bark 2", "Dog bark 3", "Dog bark 4", "Dog bark 5",
          "Lamb", "Sheep 1", "Sheep 2", "Sheep 3", "Sheep 4", "Horse trotting",
          "Horse whinney 1", "Horse whinney 2", "Horse canter past", "Horse canter past 2",
          "Horse snort", "Goat bleat 1", "Goat bleat 2", "Geese 1", "Geese 2", "Geese 3"}},
        {4, "frmrandommain4", "Weather", 201, "\\rand4.ini", "\\config\\main\\random bank 4",
         "The file could not be opened correctly -4", "Random 4 - column 1",
         "Random 4 - column 2",
         {"Thunder rumble 1", "Thunder rumble 2", "Thunder rumble 3", "Thunder rumble 4",
          "Rolling thunder 1", "Rolling thunder 2", "Rolling thunder 3", "Rolling thunder 4",
          "Thundercrack 1", "Thundercrack 2", "Thundercrack 3", "Treewind gust",
          "Small tree gust", "Small gust", "Medium gust", "Stormy gust", "High wind gust",
          "High wind gust 2", "Blustery gust 1", "Blustery gust 2", "Shingle wave",
          "Small shingle wave", "Small wave 1", "Small wave 2", "Small wave 3", "Small wave 4",
          "Small wave 5", "Large wave"}},
    }};
    return table[(bank >= 1 && bank <= 4) ? bank - 1 : 0];
}

} // namespace velmora
