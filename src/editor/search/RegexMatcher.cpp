// PCRE2 for the search: compiling with the Windows-1251 tables and the JIT, the limits,
// matching one row and the row filter.
#include "editor/search/RegexMatcher.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstring>

#include "editor/search/CaseFold.h"
#include "editor/search/LiteralFinder.h"

namespace editor::search {

// The compiled pattern and what matching it needs. Matching state lives here, so a
// matcher is used by one thread at a time.
struct TRegexMatcher::TCode {
  pcre2_code* Code = nullptr;
  pcre2_match_data* Data = nullptr;
  pcre2_match_context* Context = nullptr;
  pcre2_jit_stack* JitStack = nullptr;
  ~TCode() {
    pcre2_jit_stack_free(JitStack);
    pcre2_match_context_free(Context);
    pcre2_match_data_free(Data);
    pcre2_code_free(Code);
  }
};

namespace {

std::string ErrorText(int code) {
  std::array<PCRE2_UCHAR, 256> buffer{};
  pcre2_get_error_message(code, buffer.data(), buffer.size());
  return reinterpret_cast<const char*>(buffer.data());
}

}  // namespace

TRegexMatcher::TRegexMatcher(std::string_view pattern, bool matchCase) : code_(std::make_unique<TCode>()) {
  pcre2_compile_context* compileContext = pcre2_compile_context_create(nullptr);
  if (const std::uint8_t* tables = Cp1251RegexTables()) pcre2_set_character_tables(compileContext, tables);
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  code_->Code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                              matchCase ? 0 : PCRE2_CASELESS, &errorCode, &errorOffset, compileContext);
  pcre2_compile_context_free(compileContext);
  if (code_->Code == nullptr) {
    error_ = {ErrorText(errorCode), static_cast<int>(errorOffset)};
    return;
  }
  // Without the JIT (a system that forbids executable memory) the interpreter runs the
  // same pattern, only slower.
  pcre2_jit_compile(code_->Code, PCRE2_JIT_COMPLETE);
  code_->Data = pcre2_match_data_create_from_pattern(code_->Code, nullptr);
  code_->Context = pcre2_match_context_create(nullptr);
  pcre2_set_match_limit(code_->Context, MatchLimit);
  // Long rows with nested groups need more than the JIT's default 32 KiB of stack.
  code_->JitStack = pcre2_jit_stack_create(32 * 1024, 4 * 1024 * 1024, nullptr);
  if (code_->JitStack != nullptr) pcre2_jit_stack_assign(code_->Context, nullptr, code_->JitStack);

  // A byte every match must contain lets rows without it be passed over at scan speed:
  // the first or the last the pattern fixes, whichever is rarer in HTML.
  const auto fixedUnit = [this](std::uint32_t typeWhat, std::uint32_t unitWhat) -> int {
    std::uint32_t type = 0;
    std::uint32_t unit = 0;
    if (pcre2_pattern_info(code_->Code, typeWhat, &type) != 0 || type != 1) return -1;
    if (pcre2_pattern_info(code_->Code, unitWhat, &unit) != 0) return -1;
    return static_cast<int>(unit);
  };
  const int first = fixedUnit(PCRE2_INFO_FIRSTCODETYPE, PCRE2_INFO_FIRSTCODEUNIT);
  const int last = fixedUnit(PCRE2_INFO_LASTCODETYPE, PCRE2_INFO_LASTCODEUNIT);
  int unit = first;
  if (unit < 0 || (last >= 0 && Commonness(static_cast<unsigned char>(last)) < Commonness(static_cast<unsigned char>(first)))) {
    unit = last;
  }
  if (unit >= 0) {
    hasRequired_ = true;
    // Both cases: a caseless part of the pattern, such as (?i), may hold the byte.
    required_ = static_cast<unsigned char>(unit);
    requiredOther_ = OtherCase(required_);
  }
}

TRegexMatcher::~TRegexMatcher() = default;

bool TRegexMatcher::Match(std::string_view subject, std::size_t from, bool notEmptyAtFrom, TGroups& groups) const {
  if (!Ok() || from > subject.size()) return false;
  const int rc = pcre2_match(code_->Code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), from,
                             notEmptyAtFrom ? PCRE2_NOTEMPTY_ATSTART : 0, code_->Data, code_->Context);
  if (rc == PCRE2_ERROR_NOMATCH) return false;
  if (rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT ||
      rc == PCRE2_ERROR_JIT_STACKLIMIT || rc == PCRE2_ERROR_NOMEMORY) {
    throw ERegexLimit();
  }
  if (rc < 0) return false;
  const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(code_->Data);
  const auto pairs = static_cast<int>(pcre2_get_ovector_count(code_->Data));
  for (int i = 0; i < TGroups::Count; ++i) {
    const bool set = i < rc && i < pairs && vector[2 * i] != PCRE2_UNSET;
    groups.Spans[static_cast<std::size_t>(2 * i)] = set ? static_cast<int>(vector[2 * i]) : -1;
    groups.Spans[static_cast<std::size_t>(2 * i + 1)] = set ? static_cast<int>(vector[2 * i + 1]) : -1;
  }
  return true;
}

}  // namespace editor::search
