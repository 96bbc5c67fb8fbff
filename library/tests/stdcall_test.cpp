// 32-bit Windows: each export is called the way a caller that binds it by name calls it. The
// arguments go on the stack last first, each in a 4-byte slot, and the export must take them off
// itself before it returns; a mismatch corrupts the caller's stack without any other sign.
#include "scrivlet.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#if !defined(__i386__)
#error "stdcall_test.cpp is for 32-bit x86 only"
#endif

// Pushes @p count slots (slots[0] ends up nearest the return address), calls @p function, and
// stores in @p removed how many bytes the callee took off the stack. The stack is put right again
// whatever the callee did, so a wrong callee fails the test instead of crashing it.
extern "C" std::int32_t scrivletCallWithSlots(const void *function, const std::uint32_t *slots,
                                              std::int32_t count, std::int32_t *removed);

asm(R"(
    .text
    .globl _scrivletCallWithSlots
_scrivletCallWithSlots:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  movl %esp, %edi
    call *8(%ebp)
    movl %esp, %ecx
    subl %edi, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace {

// What one call works on: a file with known bytes, and the variables that by-reference arguments
// point at (they must stay where they are during the call).
struct CallArguments
{
    std::string path;
    const char *pathPointer = nullptr;
    std::string text;
    const char *textPointer = nullptr;
    std::string area;
};

std::uint32_t slot(const void *pointer)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

struct StdcallCase
{
    const char *name;
    const char *exportName;
    std::string before; // the file's bytes before the call
    std::function<std::vector<std::uint32_t>(CallArguments &)> slots;
    std::int32_t result;
    std::string after;    // the file's bytes after the call
    std::string areaText; // what the result area holds up to its zero byte (ReadComments)
};

class StdcallExports : public ::testing::TestWithParam<StdcallCase>
{
protected:
    static void SetUpTestSuite()
    {
        s_module = ::LoadLibraryA("Scrivlet.dll");
        ASSERT_NE(s_module, nullptr) << "LoadLibraryA failed with error " << ::GetLastError();
    }

    static HMODULE s_module;
    TempDir m_dir;
};

HMODULE StdcallExports::s_module = nullptr;

TEST_P(StdcallExports, RemoveTheirOwnArgumentsAndAnswer)
{
    const StdcallCase &c = GetParam();
    const void *function = reinterpret_cast<const void *>(::GetProcAddress(s_module, c.exportName));
    ASSERT_NE(function, nullptr) << c.exportName;

    CallArguments arguments;
    arguments.path = m_dir.file("f");
    arguments.pathPointer = arguments.path.c_str();
    writeFile(arguments.path, c.before);
    const std::vector<std::uint32_t> slots = c.slots(arguments);

    std::int32_t removed = -1;
    const std::int32_t result =
        scrivletCallWithSlots(function, slots.data(), static_cast<std::int32_t>(slots.size()), &removed);
    EXPECT_EQ(removed, static_cast<std::int32_t>(4 * slots.size())) << "bytes the export took off the stack";
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(readFile(arguments.path), c.after);
    if (!arguments.area.empty()) {
        EXPECT_EQ(std::string(arguments.area.c_str()), c.areaText);
    }
}

const std::string kBlock = "#.START.#hi#.END.# ";

const StdcallCase kStdcallCases[] = {
    {"WriteComments_text_length_path", "WriteComments", "ABC",
     [](CallArguments &a) {
         a.text = kBlock;
         a.textPointer = a.text.c_str();
         return std::vector<std::uint32_t>{slot(&a.textPointer), static_cast<std::uint32_t>(a.text.size()),
                                           slot(&a.pathPointer)};
     },
     SCRIVLET_OK, "ABC" + kBlock, ""},
    {"ReadComments_area_capacity_path", "ReadComments", "ABC" + kBlock,
     [](CallArguments &a) {
         a.area.assign(65535, ' ');
         return std::vector<std::uint32_t>{slot(a.area.data()), 65535u, slot(&a.pathPointer)};
     },
     SCRIVLET_OK, "ABC" + kBlock, "hi"},
    {"DelComments_path", "DelComments", "ABC" + kBlock,
     [](CallArguments &a) { return std::vector<std::uint32_t>{slot(&a.pathPointer)}; }, SCRIVLET_OK, "ABC",
     ""},
    {"eraser_path", "eraser", "AB\x81xy\x81z",
     [](CallArguments &a) { return std::vector<std::uint32_t>{slot(&a.pathPointer)}; }, SCRIVLET_OK, "AB",
     ""},
    {"ReplaceComments_path_text_length_flags", "ReplaceComments", "ABC" + kBlock,
     [](CallArguments &a) {
         a.text = "new note";
         a.textPointer = a.text.c_str();
         return std::vector<std::uint32_t>{slot(&a.pathPointer), slot(&a.textPointer), 3u, 0u};
     },
     SCRIVLET_OK, "ABC#.START.#new#.END.# ", ""},
    {"ReplaceComments_remove", "ReplaceComments", "ABC" + kBlock,
     [](CallArguments &a) {
         return std::vector<std::uint32_t>{slot(&a.pathPointer), 0u, 0u, SCRIVLET_REPLACE_REMOVE};
     },
     SCRIVLET_OK, "ABC", ""},
    {"RecoverComments_report_context", "RecoverComments", "ABC",
     [](CallArguments &) {
         return std::vector<std::uint32_t>{0u, 0u};
     },
     SCRIVLET_OK, "ABC", ""},
    {"SettleComments_path_flags_report_context", "SettleComments", "ABC",
     [](CallArguments &a) {
         return std::vector<std::uint32_t>{slot(&a.pathPointer), 0u, 0u, 0u};
     },
     SCRIVLET_OK, "ABC", ""},
    // The 16-bit character fills only the low half of its slot; the high half is left over.
    {"InStrRev_text_character", "InStrRev", "",
     [](CallArguments &a) {
         a.text = "a.b.c";
         return std::vector<std::uint32_t>{slot(a.text.c_str()), 0xDEAD002Eu};
     },
     4, "", ""},
    {"InStrRev_low_8_bits_only", "InStrRev", "",
     [](CallArguments &a) {
         a.text = "a.b.c";
         return std::vector<std::uint32_t>{slot(a.text.c_str()), 0x0000012Eu};
     },
     4, "", ""},
    {"InStrRev_character_zero", "InStrRev", "",
     [](CallArguments &a) {
         a.text = "a.b.c";
         return std::vector<std::uint32_t>{slot(a.text.c_str()), 0xFFFF0000u};
     },
     6, "", ""},
};

INSTANTIATE_TEST_SUITE_P(Table, StdcallExports, ::testing::ValuesIn(kStdcallCases),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
