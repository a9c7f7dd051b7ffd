#pragma once

class QComboBox;

namespace zv::ui {

// Matches what is typed into an editable combo box against its list.
class ComboKeyFilter {
public:
    // Key operation, called from the combo's KeyPress handler. A printable
    // character that, added to the text before the selection, begins an entry
    // of the list (letter case ignored) completes the text to that entry,
    // selects the completed tail and chooses the entry; the key is then used
    // up and 0 returned. Any other character is returned unchanged, so it is
    // typed as usual; control keys always pass; "'" and "|" are refused.
    // KeyAscii is left holding the result too, for callers that keep it.
    int KeyPress(QComboBox *combo, int &KeyAscii, bool Flag = false);

    // Change operation: afterwards the combo's current index follows its text
    // (an entry equal to it, letter case ignored), -1 when no entry matches.
    // With Flag True (while typing) the typed text and caret stay as they are;
    // with False a matching text takes the entry's own spelling.
    // Returns true when the text names no entry of the list.
    bool Change(QComboBox *combo, bool Flag = true);
};

} // namespace zv::ui
