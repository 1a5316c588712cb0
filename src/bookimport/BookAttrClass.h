#pragma once

// The attribute classes of the books tavisko-book makes and exports, as the
// bundled books use them.
namespace BookAttrClass {

inline constexpr int Number = 2;          // keyword: its number, the number range
inline constexpr int Page = 3;            // keyword: its page
inline constexpr int PartOfSpeech = 4;    // keyword: part of speech (text)
inline constexpr int Source = 101;        // sentence: below 20 from the book body
inline constexpr int ProblemNumber = 102; // sentence: number in the book (text)
inline constexpr int Frequency = 103;     // sentence: 1 or 2, how often in exams

} // namespace BookAttrClass
