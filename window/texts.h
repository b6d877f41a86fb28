// SPDX-FileCopyrightText: 2026 Dornelik developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>

// Every text the program shows, word for word.
namespace dornelik::texts {

inline constexpr char caption[] = "www.example.org Dornelik в ел. верига";

inline constexpr std::array<const char*, 4> headings{
    "Измерване на ток, напрежение и съпротивление",
    "величина",
    "уред",
    "начин",
};

inline constexpr char clearButton[] = "Чисти";
// The close box of a title bar the window draws itself, where the desktop draws none.
inline constexpr char closeBox[] = "Затвори";

// Nine lines, each ending in a line break; the first ends in a blank before it.
inline constexpr char explanation[] =
    "Идеалният амперметър има нулево вътрешно съпротивление, идеалният волтметър има безкрайно "
    "голямо съпротивление. Съпротивлението / резисторът се измерва отделно, за да не влияят "
    "останалите елементи от схемата. При измерване на съпротивление най-често се подава "
    "допълнително напрежение. Комбинираният уред за измерване тези величини се нарича мултицет / "
    "мултиметър. \n"
    "Да се състави проект реализиращ междупредметна връзка Физика и Информатика.\n"
    "Проектът да преставя измерване на ток, напрежение и съпротивление в дадена електическа "
    "верига. Да се извеждат начина на измерване на отделните величини.\n"
    "Проектът да съдържа група от 3 списъчни полета с информация за:\n"
    "име на величина;\n"
    "уред за измерване,\n"
    "начин за измерване.\n"
    "Съдържанието на всяко листово поле да е подредено във възходящ ред. Да няма значение кой ред "
    "от кое списъчно поле се посочва, проектът да показва семантично свързаниа информация - "
    "велична за измерване, уред и начин.\n"
    "Прочете допълнително информация по Физика и по специално Електротехника за величина, уреди "
    "за измерване и неговата характеристика, за измерване на индуктивност и капацитет.\n";

// What a screen reader says of the controls beyond their names; the lists are named by their
// headings, the explanation by the title.
inline constexpr std::array<const char*, 3> listDescriptions{
    "Величината, която се измерва. Изборът на ред избира съответните редове в другите два "
    "списъка.",
    "Уредът, с който се измерва. Изборът на ред избира съответните редове в другите два "
    "списъка.",
    "Начинът, по който уредът се свързва във веригата. Изборът на ред избира съответните "
    "редове в другите два списъка.",
};
inline constexpr char clearButtonDescription[] = "Премахва избора от трите списъка.";
inline constexpr char explanationDescription[] =
    "Обяснение за идеалните измервателни уреди и условието на задачата.";
// What a screen reader says once the clear button has cleared the lists; after a selection it
// says the three rows (selection_news.h).
inline constexpr char selectionCleared[] = "Трите списъка са изчистени.";

// The page's: what search engines and shared links show of it, and what it says where scripts
// are turned off.
inline constexpr char pageDescription[] =
    "Учебна програма по физика и информатика: коя величина с кой уред се измерва и как уредът се "
    "свързва в електрическата верига.";
inline constexpr char needsScripts[] = "Програмата има нужда от JavaScript.";

// An error in a handler is shown as errorPrefix and what the core says of it (error_texts.h).
inline constexpr char errorPrefix[] = "Грешка: ";

} // namespace dornelik::texts
