// Loading scan files: the example scans into their grids, views and remarks, the kinds and
// their names, and the point areas' edge cases.
#include "filemanager_fixture.h"

#include "scan/files/BufferedReadStream.h"
#include "scan/model/LittleEndian.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace {

void ExpectGridMatches(FileManagerTest& T, TScanData& Scan, const TExampleScan& Example)
{
    ASSERT_EQ(Scan.Count, uint32_t(Example.Columns * Example.Rows));
    EXPECT_EQ(Scan.MaxX, float(Example.Columns - 1));
    EXPECT_EQ(Scan.MaxY, float(Example.Rows - 1));
    size_t seen = 0;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint(), ++seen) {
        const float expected = Example.Values[size_t(p->Y) * Example.Columns + size_t(p->X)];
        ASSERT_TRUE(SameFloat(p->Value, expected)) << "at " << p->X << "," << p->Y;
        EXPECT_EQ(p->Invalid, std::isnan(expected) ? 1 : 0);
    }
    EXPECT_EQ(seen, Example.Values.size());
}

void ExpectRemarks(const TRemarksRec_L3D_3& Got, const TRemarksRec_L3D_3& Want)
{
    EXPECT_EQ(Got.Date, Want.Date);
    EXPECT_EQ(Got.Project, Want.Project);
    EXPECT_EQ(Got.Notes, Want.Notes);
    EXPECT_EQ(Got.FieldLength, Want.FieldLength);
    EXPECT_EQ(Got.FieldWidth, Want.FieldWidth);
    EXPECT_EQ(Got.SoilType, Want.SoilType);
}

void ExpectPresetViews(const TViewStates& Views)
{
    const float rotations[4][3] = {{0, 0, 0}, {0, 0, 0}, {-90, 0, 0}, {-45, 0, -45}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Views[i].Rotation.X, rotations[i][0]) << i;
        EXPECT_EQ(Views[i].Rotation.Z, rotations[i][2]) << i;
        EXPECT_EQ(Views[i].Translation.X, 0.0f);
        EXPECT_EQ(Views[i].Scale.X, 1.0f);
        EXPECT_EQ(Views[i].Scale.Z, 1.0f);
    }
}

double CarriedOffset(const TScanPoint& P)
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= uint64_t(P.Carried[i]) << (8 * i);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

TEST_F(FileManagerTest, FieldExampleLoadsIntoItsGridViewsAndRemarks)
{
    const TExampleScan example = MakeFieldExample();
    const std::u16string path = WriteExample(example);
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(Magic, "DMO.L3D.01");
    EXPECT_TRUE(Messages.Messages.empty());
    ExpectGridMatches(*this, Scan, example);
    ExpectPresetViews(Views);
    ExpectRemarks(Manager.Remarks(), example.Source.Remarks);
    EXPECT_EQ(Manager.FileName(), path);
    EXPECT_TRUE(Manager.Loaded());
    EXPECT_FALSE(Manager.Modified);
    EXPECT_EQ(Manager.FileContent(), 0);
    EXPECT_EQ(Scan.ScanMode, 0);

    // The example is plausible: several missing readings, an object above and a cavity below.
    int missing = 0;
    for (float v : example.Values) missing += std::isnan(v);
    EXPECT_GE(missing, 3);
    EXPECT_GT(Scan.MaxValue - Scan.Average, 40.0f);
    EXPECT_GT(Scan.Average - Scan.MinValue, 20.0f);
}

TEST_F(FileManagerTest, EveryViewStateFieldComesFromTheFile)
{
    // A distinct value in each field of each view: a field read into the wrong place, or
    // not at all, shows.
    auto valueOf = [](int view, int vector, int axis) { return float(100 * (view + 1) + 10 * vector + axis) + 0.5f; };
    TScanFileSource source = MakeFieldExample().Source;
    for (int v = 0; v < ViewStateCount; ++v) {
        TVector4* vectors[] = {&source.ViewStates[v].Translation, &source.ViewStates[v].Rotation,
                               &source.ViewStates[v].Scale};
        for (int k = 0; k < 3; ++k)
            *vectors[k] = MakeVector(valueOf(v, k, 0), valueOf(v, k, 1), valueOf(v, k, 2));
    }
    ASSERT_TRUE(Open(Write("views.dmo", EncodeScanFile(source))));
    for (int v = 0; v < ViewStateCount; ++v) {
        const TVector4* vectors[] = {&Views[v].Translation, &Views[v].Rotation, &Views[v].Scale};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(vectors[k]->X, valueOf(v, k, 0)) << "view " << v << ", vector " << k;
            EXPECT_EQ(vectors[k]->Y, valueOf(v, k, 1)) << "view " << v << ", vector " << k;
            EXPECT_EQ(vectors[k]->Z, valueOf(v, k, 2)) << "view " << v << ", vector " << k;
        }
    }
}

TEST_F(FileManagerTest, RecordsKeepTheirCarriedBytes)
{
    TScanFileSource source = MakeFieldExample().Source;
    std::multiset<std::vector<uint8_t>> written;
    for (size_t i = 0; i < source.Records.size(); ++i) {
        for (size_t k = 0; k < sizeof source.Records[i].Carried; ++k)
            source.Records[i].Carried[k] = uint8_t(i * 7 + k * 13 + (i >> 8));
        written.emplace(std::begin(source.Records[i].Carried), std::end(source.Records[i].Carried));
    }
    ASSERT_TRUE(Open(Write("carried.dmo", EncodeScanFile(source))));
    ASSERT_EQ(Scan.Count, source.Records.size());
    std::multiset<std::vector<uint8_t>> loaded;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
        loaded.emplace(std::begin(p->Carried), std::end(p->Carried));
    EXPECT_TRUE(loaded == written);
}

TEST(BufferedReadStream, SizesPositionsAndSeeksOutsideTheData)
{
    TMemoryStream empty;
    TBufferedReadStream none(empty, 16);
    uint8_t b = 0;
    EXPECT_EQ(none.Size(), 0);
    EXPECT_EQ(none.Read(&b, 1), 0);

    std::vector<uint8_t> bytes(40);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i + 1);
    TMemoryStream source(bytes.data(), bytes.size());
    TBufferedReadStream s(source, 16);
    EXPECT_EQ(s.Size(), 40);
    EXPECT_EQ(s.Seek(3, soBeginning), 3);
    EXPECT_EQ(s.Seek(-5, soCurrent), -1) << "before the start";
    EXPECT_EQ(s.Position(), 3);
    ASSERT_EQ(s.Read(&b, 1), 1);
    EXPECT_EQ(b, 4);
    // Across chunks, and from the end.
    std::vector<uint8_t> middle(30);
    EXPECT_EQ(s.Read(middle.data(), 30), 30);
    EXPECT_TRUE(std::equal(middle.begin(), middle.end(), bytes.begin() + 4));
    EXPECT_EQ(s.Seek(-1, soEnd), 39);
    ASSERT_EQ(s.Read(&b, 1), 1);
    EXPECT_EQ(b, 40);
    EXPECT_EQ(s.Seek(10, soEnd), 50) << "past the end is allowed";
    EXPECT_EQ(s.Read(&b, 1), 0);
}

TEST_F(FileManagerTest, TarnwellExamplesCarryTheirSampleOffsetsAndPeaksInTheChartBand)
{
    for (const TExampleScan& example : {MakeTarnwellSampleExample(), MakeTarnwellScanExample()}) {
        SCOPED_TRACE(example.FileName);
        const std::u16string path = WriteExample(example);
        ASSERT_TRUE(Open(path));
        EXPECT_EQ(Magic, example.Source.Kind == TScanFileKind::TNW ? "TNW.TNW.01" : "DMO.TNW.01");
        ExpectGridMatches(*this, Scan, example);
        ExpectPresetViews(Views);
        ExpectRemarks(Manager.Remarks(), example.Source.Remarks);
        EXPECT_EQ(Manager.FileContent(), 1);

        // Read the samples the way the chart does: the divisor after FileTNW_Start, then the
        // point header 16 bytes before the carried offset.
        TElFileStream file(path, fmOpenRead | fmShareDenyWrite);
        file.SetPosition(Manager.FileTNW_Start() + 2);
        uint16_t divisor = 0;
        ASSERT_TRUE(le::ReadU16(file, divisor));
        EXPECT_EQ(divisor, 100);
        int checked = 0;
        for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint(), ++checked) {
            file.SetPosition(int64_t(CarriedOffset(*p)) - 16);
            float value;
            uint16_t n;
            ASSERT_TRUE(le::ReadF32(file, value));
            EXPECT_EQ(value, p->Value);
            file.Seek(4, soCurrent);
            ASSERT_TRUE(le::ReadU16(file, n));
            ASSERT_EQ(n, 100);
            file.Seek(6, soCurrent);
            int peak = 0;
            float best = -1;
            for (int i = 0; i < n; ++i) {
                float s;
                ASSERT_TRUE(le::ReadF32(file, s));
                if (s > best) best = s, peak = i;
            }
            const double hz = peak * 50.0 / n;
            EXPECT_GE(hz, 4.0);
            EXPECT_LE(hz, 21.0);
        }
        EXPECT_EQ(checked, example.Columns * example.Rows);
    }
}

TEST_F(FileManagerTest, KindsAndNames)
{
    TScanFileSource source = MakeFieldExample().Source;
    const std::vector<uint8_t> demo = EncodeScanFile(source);

    // The sample kinds need ".dmo", in any case; the others load from any name.
    EXPECT_FALSE(Open(Write("field.scan", demo)));
    EXPECT_EQ(Magic, "DMO.L3D.01");  // the rejected file's magic comes back
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Messages.Messages[0].Kind, 1);
    EXPECT_EQ(Messages.Messages[0].Buttons, 4);
    EXPECT_EQ(Messages.Messages[0].Caption, u"Error");
    EXPECT_EQ(Messages.Messages[0].Text, u"The file format is not recognised.");
    EXPECT_FALSE(Open(Write("field.dmo.bak", demo)));
    EXPECT_TRUE(Open(Write("FIELD.DMO", demo)));

    source.Kind = TScanFileKind::L3D;
    EXPECT_TRUE(Open(Write("own.l3d", EncodeScanFile(source))));
    EXPECT_EQ(Magic, "L3D.L3D.01");
    EXPECT_EQ(Scan.Count, 1200u);

    // "TNW 0.1" has no view block: the window keeps its views.
    TScanFileSource old = MakeTarnwellSampleExample().Source;
    old.Kind = TScanFileKind::TNW01;
    Views[0].Rotation.X = 12.5f;
    ASSERT_TRUE(Open(Write("old.tnw", EncodeScanFile(old))));
    EXPECT_EQ(Magic, "TNW 0.1");
    EXPECT_EQ(Views[0].Rotation.X, 12.5f);
    EXPECT_EQ(Manager.FileContent(), 1);
    EXPECT_EQ(Scan.Count, 180u);

    // Back to an own kind: the Tarnwell flag goes back to 0.
    ASSERT_TRUE(Open(Write("again.dmo", demo)));
    EXPECT_EQ(Manager.FileContent(), 0);
}

TEST_F(FileManagerTest, PointAreaEdgeCases)
{
    TScanFileSource source = MakeFieldExample().Source;
    // An empty point area loads a scan of zero points.
    source.Records.clear();
    ASSERT_TRUE(Open(Write("empty.dmo", EncodeScanFile(source))));
    EXPECT_EQ(Scan.Count, 0u);
    EXPECT_EQ(Scan.First, nullptr);

    // A last record cut short is dropped, not completed from the one before.
    source = MakeFieldExample().Source;
    std::vector<uint8_t> bytes = EncodeScanFile(source);
    bytes.resize(bytes.size() - 20);
    ASSERT_TRUE(Open(Write("cut.dmo", bytes)));
    EXPECT_EQ(Scan.Count, 1200u);  // 1199 read, one padding point
    const TExampleScan field = MakeFieldExample();
    // Column 29 is filled top to bottom, so its last reading is row 0: a padding point now.
    EXPECT_FALSE(SameFloat(PointAt(29, 0)->Value, field.Values[29]));
    EXPECT_TRUE(SameFloat(PointAt(29, 1)->Value, field.Values[1 * 30 + 29]));

    // Reverse and scan mode reach the grid.
    source.Records.resize(8);
    source.LinesPerBlock = 4;
    source.Reverse = 1;
    source.ScanMode = 2;
    ASSERT_TRUE(Open(Write("reverse.dmo", EncodeScanFile(source))));
    EXPECT_EQ(Scan.Reverse, 1);
    EXPECT_EQ(Scan.ScanMode, 2);
    EXPECT_EQ(Scan.Count, 8u);
}

TEST_F(FileManagerTest, TarnwellPointsWithoutSamplesAndSamplesPastTheEnd)
{
    TScanFileSource source = MakeTarnwellSampleExample().Source;
    source.LinesPerBlock = 2;
    source.TNWPoints = {{1.0f, {}}, {2.0f, {}}, {3.0f, {}}, {4.0f, {}}};
    ASSERT_TRUE(Open(Write("nosamples.dmo", EncodeScanFile(source))));
    ASSERT_EQ(Scan.Count, 4u);
    std::vector<double> offsets;
    for (TScanPoint* p = Scan.FirstColumnPoint(); p; p = Scan.NextColumnPoint())
        offsets.push_back(CarriedOffset(*p));
    const double first = Manager.FileTNW_Start() + 6 + 16;
    EXPECT_EQ(offsets, (std::vector<double>{first, first + 16, first + 32, first + 48}));

    // The last point's samples run past the end: the point is dropped.
    source.TNWPoints = {{1.0f, {1, 2}}, {2.0f, {3, 4}}, {3.0f, {5, 6}}};
    std::vector<uint8_t> bytes = EncodeScanFile(source);
    bytes.resize(bytes.size() - 1);
    ASSERT_TRUE(Open(Write("short.dmo", bytes)));
    EXPECT_EQ(Scan.Count, 2u);
    TMemoryStream parsed(bytes.data(), bytes.size());
    TScanFileContent content;
    ASSERT_EQ(ParseScanFile(parsed, source.Kind, content), TScanParseResult::Ok);
    EXPECT_EQ(content.PointCount, 2u) << "whole points only";

    // An area with its lead and no point is an empty scan, whatever the block height.
    source.LinesPerBlock = 4;
    source.TNWPoints.clear();
    ASSERT_TRUE(Open(Write("nopoints.dmo", EncodeScanFile(source))));
    EXPECT_EQ(Scan.Count, 0u);
}

} // namespace

namespace {

// The point limit is the most points the caller can take: a file of exactly that many whole
// points is read, one more is refused before any is delivered. A last point cut short is not
// a point and counts for nothing, in either kind of point area.
TEST(ScanFileParse, ThePointLimitTakesExactlyThatManyWholePointsAndRefusesOneMore)
{
    for (TScanFileSource source : {MakeFieldExample().Source, MakeTarnwellSampleExample().Source}) {
        const bool tnw = IsTNWKind(source.Kind);
        SCOPED_TRACE(tnw ? "Tarnwell kind" : "own kind");
        std::vector<uint8_t> bytes = EncodeScanFile(source);
        const uint64_t whole = tnw ? source.TNWPoints.size() : source.Records.size();
        ASSERT_GT(whole, 10u);
        // Part of one more point: a record cut short, or a header whose samples run past the end.
        const std::vector<uint8_t> cut = tnw ? std::vector<uint8_t>{0, 0, 0x80, 0x3F, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 1}
                                             : std::vector<uint8_t>(ScanRecordSize - 1, 0x41);
        bytes.insert(bytes.end(), cut.begin(), cut.end());
        for (const uint64_t limit : {whole - 1, whole, whole + 1}) {
            SCOPED_TRACE(::testing::Message() << "limit " << limit << " for " << whole << " points");
            TMemoryStream stream(bytes.data(), bytes.size());
            TScanFileContent content;
            content.PointCount = 7;
            const TScanParseResult result = ParseScanFile(stream, source.Kind, content, limit);
            if (limit < whole) {
                EXPECT_EQ(result, TScanParseResult::TooManyPoints);
                EXPECT_EQ(content.PointCount, 7u) << "a refused parse leaves the content alone";
                continue;
            }
            ASSERT_EQ(result, TScanParseResult::Ok);
            EXPECT_EQ(content.PointCount, whole);
            uint64_t delivered = 0;
            EXPECT_EQ(ReadScanPoints(stream, content, [&](const TScanRecord&) { ++delivered; }), whole);
            EXPECT_EQ(delivered, whole);
        }
    }
}

} // namespace
