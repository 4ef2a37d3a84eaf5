// Flag results of the ALU routines as a real 8085 gives them: the auxiliary
// carry is the true carry out of bit 3 (incoming carry included), a
// subtraction is A + NOT operand + (1 - borrow), and DAA keeps the decimal
// carry.
#include <gtest/gtest.h>

#include "sim/AluInline.h"
#include "tests/support/PowerOn.h"

namespace {

int Ones(unsigned v) {
    int n = 0;
    for (; v != 0; v >>= 1) n += v & 1;
    return n;
}

// Checks S, Z and P of value and returns nothing; the caller names the case.
void ExpectSZP(u8 value, const testing::Message& at) {
    EXPECT_EQ(g_Sim.m_flagS, value >> 7) << at;
    EXPECT_EQ(g_Sim.m_flagZ, value == 0 ? 1 : 0) << at;
    EXPECT_EQ(g_Sim.m_flagP, Ones(value) % 2 == 0 ? 1 : 0) << at;
}

u8 ToBcd(int n) { return u8((n / 10) << 4 | (n % 10)); }

// DAA on `a` with the given AC and CY going in.
void DaaFrom(u8 a, u8 ac, u8 cy) {
    g_Sim.m_regA = a;
    g_Sim.m_flagAC = ac;
    g_Sim.m_flagCY = cy;
    g_Sim.Daa();
}

}  // namespace

TEST(AluFlags, SetSZPOnEveryByte) {
    StartFromPowerOn();
    for (int v = 0; v < 256; ++v) {
        g_Sim.SetSZP(u8(v));
        ExpectSZP(u8(v), testing::Message() << v);
    }
}

TEST(AluFlags, AddAndAdcOnEveryOperandPair) {
    StartFromPowerOn();
    for (int carry = 0; carry < 2; ++carry)
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b) {
                for (int withCarry = 0; withCarry < 2; ++withCarry) {
                    u8 acc = u8(a);
                    g_Sim.m_flagCY = u8(carry);
                    g_Sim.Add(&acc, u8(b), withCarry != 0);
                    const int cin = withCarry ? carry : 0;
                    const int sum = a + b + cin;
                    // Bit 4 of a + b + cin differs from a4 XOR b4 exactly when bit 3 carried.
                    const u8 halfCarry = ((a ^ b ^ sum) & 0x10) ? 1 : 0;
                    ASSERT_EQ(acc, u8(sum)) << a << "+" << b << "+" << cin;
                    ASSERT_EQ(g_Sim.m_flagCY, sum > 0xFF ? 1 : 0) << a << "+" << b << "+" << cin;
                    ASSERT_EQ(g_Sim.m_flagAC, halfCarry) << a << "+" << b << "+" << cin;
                    ASSERT_EQ(g_Sim.m_flagZ, u8(sum) == 0 ? 1 : 0);
                }
            }
}

TEST(AluFlags, SubSbbAndCompareOnEveryOperandPair) {
    StartFromPowerOn();
    for (int borrow = 0; borrow < 2; ++borrow)
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                for (int withBorrow = 0; withBorrow < 2; ++withBorrow) {
                    u8 acc = u8(a);
                    g_Sim.m_flagCY = u8(borrow);
                    g_Sim.Sub(&acc, u8(b), withBorrow != 0);
                    const int bin = withBorrow ? borrow : 0;
                    const int diff = a - b - bin;
                    // The adder's carry out of bit 3 is the absence of a borrow into bit 4.
                    const u8 halfCarry = ((a ^ b ^ diff) & 0x10) ? 0 : 1;
                    ASSERT_EQ(acc, u8(diff)) << a << "-" << b << "-" << bin;
                    ASSERT_EQ(g_Sim.m_flagCY, diff < 0 ? 1 : 0) << a << "-" << b << "-" << bin;
                    ASSERT_EQ(g_Sim.m_flagAC, halfCarry) << a << "-" << b << "-" << bin;
                    ASSERT_EQ(g_Sim.m_flagZ, u8(diff) == 0 ? 1 : 0);
                    if (withBorrow) continue;
                    const u8 cy = g_Sim.m_flagCY, ac = g_Sim.m_flagAC, s = g_Sim.m_flagS, p = g_Sim.m_flagP;
                    g_Sim.m_regA = u8(a);
                    g_Sim.Compare(g_Sim.m_regA, u8(b));
                    ASSERT_EQ(g_Sim.m_regA, u8(a));
                    ASSERT_EQ(g_Sim.m_flagCY, cy);
                    ASSERT_EQ(g_Sim.m_flagAC, ac);
                    ASSERT_EQ(g_Sim.m_flagS, s);
                    ASSERT_EQ(g_Sim.m_flagP, p);
                }
}

TEST(AluFlags, KnownArithmeticCases) {
    StartFromPowerOn();
    u8 a = 0x01;
    g_Sim.Add(&a, 0x0F, false);
    EXPECT_EQ(a, 0x10);
    EXPECT_EQ(g_Sim.m_flagAC, 1);
    a = 0x01;
    g_Sim.m_flagCY = 1;
    g_Sim.Add(&a, 0x0E, true);  // the incoming carry takes part in AC
    EXPECT_EQ(a, 0x10);
    EXPECT_EQ(g_Sim.m_flagAC, 1);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
    a = 0x10;
    g_Sim.Sub(&a, 0x01, false);
    EXPECT_EQ(a, 0x0F);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
    EXPECT_EQ(g_Sim.m_flagAC, 0);
    a = 0x11;
    g_Sim.Sub(&a, 0x01, false);
    EXPECT_EQ(a, 0x10);
    EXPECT_EQ(g_Sim.m_flagAC, 1);
    a = 0x35;
    g_Sim.Sub(&a, 0x00, false);  // an operand with low digit 0 sets AC
    EXPECT_EQ(g_Sim.m_flagAC, 1);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
}

TEST(AluFlags, LogicalOperations) {
    // OR and XOR share one flag rule: AC and CY cleared.
    struct OrLike {
        void (CSimulator::*run)(u8*, u8);
        const char* symbol;
        u8 result;
    };
    StartFromPowerOn();
    for (int a = 0; a < 256; a += 7)
        for (int b = 0; b < 256; b += 5) {
            u8 acc = u8(a);
            g_Sim.m_flagCY = 1;
            g_Sim.m_flagAC = 0;
            g_Sim.And(&acc, u8(b));
            EXPECT_EQ(acc, u8(a & b));
            EXPECT_EQ(g_Sim.m_flagAC, 1);
            EXPECT_EQ(g_Sim.m_flagCY, 0);
            ExpectSZP(acc, testing::Message() << a << "&" << b);
            const OrLike orLikes[] = {{&CSimulator::Or, "|", u8(a | b)}, {&CSimulator::Xor, "^", u8(a ^ b)}};
            for (const OrLike& op : orLikes) {
                acc = u8(a);
                g_Sim.m_flagCY = 1;
                g_Sim.m_flagAC = 1;
                (g_Sim.*op.run)(&acc, u8(b));
                EXPECT_EQ(acc, op.result);
                EXPECT_EQ(g_Sim.m_flagAC + g_Sim.m_flagCY, 0);
                ExpectSZP(acc, testing::Message() << a << op.symbol << b);
            }
        }
}

TEST(AluFlags, IncrementAndDecrementKeepCarry) {
    StartFromPowerOn();
    for (int v = 0; v < 256; ++v) {
        for (int carry = 0; carry < 2; ++carry) {
            u8 x = u8(v);
            g_Sim.m_flagCY = u8(carry);
            g_Sim.Inr(&x);
            EXPECT_EQ(x, u8(v + 1));
            EXPECT_EQ(g_Sim.m_flagAC, (v & 0x0F) == 0x0F ? 1 : 0) << v;
            EXPECT_EQ(g_Sim.m_flagCY, carry);
            ExpectSZP(x, testing::Message() << "INR " << v);
            x = u8(v);
            g_Sim.Dcr(&x);
            EXPECT_EQ(x, u8(v - 1));
            EXPECT_EQ(g_Sim.m_flagAC, (v & 0x0F) != 0 ? 1 : 0) << v;
            EXPECT_EQ(g_Sim.m_flagCY, carry);
            ExpectSZP(x, testing::Message() << "DCR " << v);
        }
    }
}

TEST(AluFlags, PairIncrementDecrementAndDad) {
    StartFromPowerOn();
    u8 h = 0x00, l = 0xFF;
    g_Sim.Inx(&h, &l);
    EXPECT_EQ(h << 8 | l, 0x0100);
    h = 0xFF;
    l = 0xFF;
    g_Sim.Inx(&h, &l);
    EXPECT_EQ(h << 8 | l, 0x0000);
    g_Sim.Dcx(&h, &l);
    EXPECT_EQ(h << 8 | l, 0xFFFF);
    h = 0x01;
    l = 0x00;
    g_Sim.Dcx(&h, &l);
    EXPECT_EQ(h << 8 | l, 0x00FF);

    h = 0x80;
    l = 0x00;
    g_Sim.m_flagS = g_Sim.m_flagZ = g_Sim.m_flagP = g_Sim.m_flagAC = 1;
    g_Sim.Dad(&h, &l, h, l);
    EXPECT_EQ(h << 8 | l, 0x0000);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    EXPECT_EQ(g_Sim.m_flagS + g_Sim.m_flagZ + g_Sim.m_flagP + g_Sim.m_flagAC, 4);
    g_Sim.Dad(&h, &l, 0x7F, 0xFF);
    EXPECT_EQ(h << 8 | l, 0x7FFF);
    EXPECT_EQ(g_Sim.m_flagCY, 0);
}

TEST(AluFlags, DaaAfterEveryDecimalAddition) {
    StartFromPowerOn();
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y)
            for (int carry = 0; carry < 2; ++carry) {
                g_Sim.m_regA = ToBcd(x);
                g_Sim.m_flagCY = u8(carry);
                g_Sim.Add(&g_Sim.m_regA, ToBcd(y), true);
                g_Sim.Daa();
                const int sum = x + y + carry;
                ASSERT_EQ(g_Sim.m_regA, ToBcd(sum % 100)) << x << "+" << y << "+" << carry;
                ASSERT_EQ(g_Sim.m_flagCY, sum >= 100 ? 1 : 0) << x << "+" << y << "+" << carry;
                ExpectSZP(g_Sim.m_regA, testing::Message() << x << "+" << y);
            }
}

TEST(AluFlags, DaaKnownCases) {
    StartFromPowerOn();
    DaaFrom(0x9A, 0, 0);
    EXPECT_EQ(g_Sim.m_regA, 0x00);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    EXPECT_EQ(g_Sim.m_flagZ, 1);
    EXPECT_EQ(g_Sim.m_flagAC, 1);

    g_Sim.m_regA = 0x99;
    g_Sim.m_flagCY = 0;
    g_Sim.Add(&g_Sim.m_regA, 0x99, false);  // 32h with AC and CY
    g_Sim.Daa();
    EXPECT_EQ(g_Sim.m_regA, 0x98);
    EXPECT_EQ(g_Sim.m_flagCY, 1);

    // Nothing to adjust: A unchanged, AC = 0, CY unchanged, S Z P from A.
    g_Sim.m_flagZ = 0;
    g_Sim.m_flagP = 0;
    DaaFrom(0x00, 0, 0);
    EXPECT_EQ(g_Sim.m_regA, 0x00);
    EXPECT_EQ(g_Sim.m_flagZ, 1);
    EXPECT_EQ(g_Sim.m_flagP, 1);
    EXPECT_EQ(g_Sim.m_flagCY, 0);

    // The high correction alone leaves AC clear; CY already set stays set.
    DaaFrom(0x25, 0, 1);
    EXPECT_EQ(g_Sim.m_regA, 0x85);
    EXPECT_EQ(g_Sim.m_flagCY, 1);
    EXPECT_EQ(g_Sim.m_flagAC, 0);
    EXPECT_EQ(g_Sim.m_flagS, 1);
}

TEST(AluFlags, RegisterFieldsSelectRegistersAndMemory) {
    StartFromPowerOn();
    g_Sim.m_regB = 1;
    g_Sim.m_regC = 2;
    g_Sim.m_regD = 3;
    g_Sim.m_regE = 4;
    g_Sim.m_regH = 0x12;
    g_Sim.m_regL = 0x34;
    g_Sim.m_regA = 7;
    g_Sim.m_pMemory[0x1234] = 0x66;
    const u8 expected[8] = {1, 2, 3, 4, 0x12, 0x34, 0x66, 7};
    for (int field = 0; field < 8; ++field) EXPECT_EQ(g_Sim.GetReg8(u8(field | 0xF8)), expected[field]) << field;
    for (int field = 0; field < 8; ++field) {
        if (field == 4 || field == 5) continue;  // keep HL pointing at 1234h
        g_Sim.SetReg8(u8(0xA0 + field), u8(0x40 | field << 3));
        EXPECT_EQ(g_Sim.GetReg8(u8(field)), u8(0xA0 + field)) << field;
    }
    EXPECT_EQ(g_Sim.m_pMemory[0x1234], 0xA6);
}
