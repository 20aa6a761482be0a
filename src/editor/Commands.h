// Command codes of the editor: 0..255 are characters, 256 and above are commands.
#pragma once

#include <cstdint>

namespace editor {

using TCommand = std::uint16_t;

inline constexpr TCommand ecLeft = 257;
inline constexpr TCommand ecUp = 258;
inline constexpr TCommand ecRight = 259;
inline constexpr TCommand ecDown = 260;
inline constexpr TCommand ecSelLeft = 265;
inline constexpr TCommand ecSelUp = 266;
inline constexpr TCommand ecSelRight = 267;
inline constexpr TCommand ecSelDown = 268;
inline constexpr TCommand ecWordLeft = 269;
inline constexpr TCommand ecWordRight = 270;
inline constexpr TCommand ecSelWordLeft = 271;
inline constexpr TCommand ecSelWordRight = 272;
inline constexpr TCommand ecSelectWord = 273;
inline constexpr TCommand ecViewTop = 274;
inline constexpr TCommand ecViewBottom = 275;
inline constexpr TCommand ecPageUp = 276;
inline constexpr TCommand ecPageDown = 277;
inline constexpr TCommand ecSelPageUp = 278;
inline constexpr TCommand ecSelPageDown = 279;
inline constexpr TCommand ecLineStart = 280;
inline constexpr TCommand ecLineEnd = 281;
inline constexpr TCommand ecDocStart = 282;
inline constexpr TCommand ecDocEnd = 283;
inline constexpr TCommand ecSelLineStart = 284;
inline constexpr TCommand ecSelLineEnd = 285;
inline constexpr TCommand ecSelDocStart = 286;
inline constexpr TCommand ecSelDocEnd = 287;
inline constexpr TCommand ecSelectAll = 288;
inline constexpr TCommand ecScrollUp = 289;
inline constexpr TCommand ecScrollDown = 290;
inline constexpr TCommand ecBlockInclusive = 356;
inline constexpr TCommand ecBlockLine = 357;
inline constexpr TCommand ecBlockColumn = 358;
inline constexpr TCommand ecBlockNonInclusive = 359;
inline constexpr TCommand ecNewLine = 377;
inline constexpr TCommand ecBackspace = 378;
inline constexpr TCommand ecDelete = 379;
inline constexpr TCommand ecToggleInsert = 380;
inline constexpr TCommand ecTab = 381;
inline constexpr TCommand ecBackTab = 382;
inline constexpr TCommand ecIndentBlock = 383;
inline constexpr TCommand ecUnindentBlock = 384;
inline constexpr TCommand ecDeleteSelection = 387;
inline constexpr TCommand ecCopy = 388;
inline constexpr TCommand ecCut = 389;
inline constexpr TCommand ecPaste = 390;
inline constexpr TCommand ecDeleteLine = 391;
inline constexpr TCommand ecDeleteWord = 392;
inline constexpr TCommand ecUpperCase = 393;
inline constexpr TCommand ecLowerCase = 394;
inline constexpr TCommand ecToggleCase = 395;
inline constexpr TCommand ecUndo = 396;
inline constexpr TCommand ecRedo = 397;
inline constexpr TCommand ecBeginGroup = 398;
inline constexpr TCommand ecEndGroup = 399;
inline constexpr TCommand ecOpenUpdate = 400;
inline constexpr TCommand ecCloseUpdate = 401;
inline constexpr TCommand ecSetBookmark0 = 402;  // .. ecSetBookmark9 = 411
inline constexpr TCommand ecGotoBookmark0 = 412;  // .. ecGotoBookmark9 = 421
inline constexpr TCommand ecCompleteIdentifier = 422;
inline constexpr TCommand ecCompleteTemplate = 423;
inline constexpr TCommand ecMacroRecord = 424;
inline constexpr TCommand ecMacroPlay = 425;
inline constexpr TCommand ecColumnSelLeft = 4096;
inline constexpr TCommand ecColumnSelUp = 4097;
inline constexpr TCommand ecColumnSelRight = 4098;
inline constexpr TCommand ecColumnSelDown = 4099;
inline constexpr TCommand ecBackspaceWord = 4106;
// Commands the editor hands to its owner (OnOwnerCommand): the find and replace windows
// are not part of the control.
inline constexpr TCommand ecFind = 4352;
inline constexpr TCommand ecReplace = 4353;

}  // namespace editor
