#pragma once
// Opener codes: every mode frame keeps the code of the frame that opened it with a picture, and
// its close handler hands the picture back by it. Any other value closes without a hand-back.

// Codes the editor frame holds.
enum EditorOpenerCode {
    kEditorOpenedByStartPage = 0,   // also the value at construction: the start page comes back
    kEditorOpenedByCosmet = 9,
    kEditorOpenedByEffect = 12,
    kEditorOpenedByPage = 15,
    kEditorOpenedByCombine = 18,
    kEditorOpenedBySplit = 21,
    kEditorOpenedByCommandLine = 25,   // closing the editor ends the program
};

// Codes the application writes into the other mode frames it opens with command-line files.
enum CommandLineOpenerCode {
    kEffectOpenedByCommandLine = 26,
    kCosmetOpenedByCommandLine = 27,
    kPageOpenedByCommandLine = 28,
    kCombineOpenedByCommandLine = 29,
    kSplitOpenedByCommandLine = 30,   // the splitter and the cropper
};

// Codes the editor writes into the frames it passes its picture to.
enum EditorHandOverCode {
    kCosmetOpenedByEditor = 6,
    kPageOpenedByEditor = 7,
    kSplitOpenedByEditor = 8,
};
