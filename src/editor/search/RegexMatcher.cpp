// PCRE2 for the search: compiling with the Windows-1251 tables and the JIT, the limits,
// matching one row and the row filter.
#include "editor/search/RegexMatcher.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstring>

#include "editor/search/CaseFold.h"

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

  // A byte every match must contain lets rows without it be passed over at scan speed.
  std::uint32_t type = 0;
  std::uint32_t unit = 0;
  if (pcre2_pattern_info(code_->Code, PCRE2_INFO_LASTCODETYPE, &type) == 0 && type == 1 &&
      pcre2_pattern_info(code_->Code, PCRE2_INFO_LASTCODEUNIT, &unit) == 0) {
    hasRequired_ = true;
  } else if (pcre2_pattern_info(code_->Code, PCRE2_INFO_FIRSTCODETYPE, &type) == 0 && type == 1 &&
             pcre2_pattern_info(code_->Code, PCRE2_INFO_FIRSTCODEUNIT, &unit) == 0) {
    hasRequired_ = true;
  }
  if (hasRequired_) {
    // Both cases: a caseless part of the pattern, such as (?i), may hold the byte.
    required_ = static_cast<unsigned char>(unit);
    requiredOther_ = OtherCase(required_);
  }
}

TRegexMatcher::~TRegexMatcher() = default;

bool TRegexMatcher::MayMatch(std::string_view row) const {
  if (!hasRequired_) return true;
  if (std::memchr(row.data(), required_, row.size()) != nullptr) return true;
  return requiredOther_ != required_ && std::memchr(row.data(), requiredOther_, row.size()) != nullptr;
}

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
