// Reading files as text: line breaks, the NUL rule, UTF-8 or Windows-1250,
// and the size limit.

#include "platform/textfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void joinLines_data()
    {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("out");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("one line without break") << QByteArray("a") << QByteArray("a\r\n");
        QTest::newRow("already CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("CR LF, last unterminated") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\r\nb\r\n");
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("trailing lone CR") << QByteArray("a\r") << QByteArray("a\r\n");
        QTest::newRow("NUL first") << QByteArray("\0a\nb", 4) << QByteArray();
        QTest::newRow("NUL mid-line") << QByteArray("ab\ncd\0ef\n", 9) << QByteArray("ab\r\ncd\r\n");
    }
    void joinLines()
    {
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, out);
        QCOMPARE(joinLinesWithCrLf(in), out);
    }

    void decode_validUtf8_staysUtf8()
    {
        TextEncoding used = TextEncoding::Windows1250;
        QCOMPARE(decodeText(QStringLiteral("Łódź €").toUtf8(), &used), QStringLiteral("Łódź €"));
        QCOMPARE(used, TextEncoding::Utf8);
    }

    void decode_byteOrderMark_isDropped()
    {
        QCOMPARE(decodeText(QByteArray("\xef\xbb\xbfok")), QStringLiteral("ok"));
    }

    void decode_invalidUtf8_isWindows1250()
    {
        TextEncoding used = TextEncoding::Utf8;
        QCOMPARE(decodeText(QByteArray("\xa3\xf3\x64\x9f"), &used), QStringLiteral("Łódź"));
        QCOMPARE(used, TextEncoding::Windows1250);
    }

    void windows1250_polishLetters()
    {
        // The 18 Polish letters of the code page, by their byte values.
        const QByteArray bytes("\x8c\x8f\x9c\x9f\xa3\xa5\xaf\xb3\xb9\xbf\xc6\xca\xd1\xd3\xe6\xea\xf1\xf3");
        QCOMPARE(decodeWindows1250(bytes), QStringLiteral("ŚŹśźŁĄŻłążĆĘŃÓćęńó"));
    }

    void windows1250_agreesWithTheSystemConverter()
    {
        QStringDecoder system("windows-1250");
        if (!system.isValid())
            QSKIP("this Qt has no Windows-1250 converter to compare with");
        for (int b = 0x80; b <= 0xff; ++b) {
            const QByteArray one(1, char(b));
            const QString ours = decodeWindows1250(one);
            if (ours == QString(QChar(0xFFFD)))
                continue;  // unassigned in the code page
            QStringDecoder d("windows-1250");
            QCOMPARE(ours, QString(d.decode(one)));
        }
    }

    void readFile_missingAndTooLarge()
    {
        QTemporaryDir dir;
        const TextFileRead missing = readFileBytes(dir.filePath(QStringLiteral("none")));
        QCOMPARE(missing.status, TextFileRead::Status::CannotOpen);

        const QString path = dir.filePath(QStringLiteral("big"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.write(QByteArray(2048, 'x')) == 2048);
        f.close();
        QCOMPARE(readFileBytes(path, 1024).status, TextFileRead::Status::TooLarge);
        const TextFileRead fits = readFileBytes(path, 2048);
        QVERIFY(fits.ok());
        QCOMPARE(fits.bytes.size(), 2048);
    }

    void readFile_whatIsNotAPlainFile_isRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("links");
        QTest::newRow("named pipe") << "fifo" << int(LinkPolicy::Follow);
        QTest::newRow("folder") << "folder" << int(LinkPolicy::Follow);
        QTest::newRow("endless device") << "/dev/zero" << int(LinkPolicy::Follow);
        QTest::newRow("terminal-like device") << "/dev/null" << int(LinkPolicy::Follow);
        QTest::newRow("link to a pipe") << "link-to-fifo" << int(LinkPolicy::Follow);
        QTest::newRow("link, refused") << "link" << int(LinkPolicy::Refuse);
    }
    void readFile_whatIsNotAPlainFile_isRefusedAtOnce()
    {
#ifdef Q_OS_UNIX
        QFETCH(QString, kind);
        QFETCH(int, links);
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString plain = dir.filePath(QStringLiteral("plain"));
        QFile f(plain);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("text") == 4);
        f.close();
        QString path = kind.startsWith(u'/') ? kind : dir.filePath(kind);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        if (kind == QLatin1String("link-to-fifo"))
            QVERIFY(QFile::link(fifo, path));
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(plain, path));

        // A pipe with no writer would block a plain read for ever.
        const TextFileRead read = readFileBytes(path, kMaxTextFileBytes, LinkPolicy(links));
        QCOMPARE(read.status, TextFileRead::Status::CannotOpen);
        QVERIFY(!read.error.isEmpty());
        QVERIFY(read.bytes.isEmpty());
        // The same link is read when links are followed.
        if (kind == QLatin1String("link"))
            QCOMPARE(readFileBytes(path).bytes, QByteArray("text"));
#else
        QSKIP("named pipes and devices are a Unix matter here");
#endif
    }

    void readDescriptor_endsInTimeAndWithinTheLimit_data()
    {
        QTest::addColumn<QByteArray>("given");  // what the writer gives before the read
        QTest::addColumn<bool>("ends");         // the writer closes its end
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("read");
        using S = TextFileRead::Status;
        QTest::newRow("data that never comes") << QByteArray() << false << int(S::TooSlow) << QByteArray();
        QTest::newRow("an end that never comes") << QByteArray("abc") << false << int(S::TooSlow) << QByteArray();
        QTest::newRow("more than the limit, without an end")
            << QByteArray(4096, 'z') << false << int(S::TooLarge) << QByteArray();
        QTest::newRow("an end within the limit") << QByteArray("abc") << true << int(S::Ok) << QByteArray("abc");
        QTest::newRow("nothing, then the end") << QByteArray() << true << int(S::Ok) << QByteArray();
    }
    void readDescriptor_endsInTimeAndWithinTheLimit()
    {
#ifdef Q_OS_UNIX
        // A pipe stands for what a file of /proc or a device may do.
        QFETCH(QByteArray, given);
        QFETCH(bool, ends);
        QFETCH(int, status);
        QFETCH(QByteArray, read);
        int fds[2] = {-1, -1};
        QCOMPARE(::pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
        QCOMPARE(::write(fds[1], given.constData(), size_t(given.size())), ssize_t(given.size()));
        if (ends)
            ::close(fds[1]);
        QElapsedTimer clock;
        clock.start();
        const TextFileRead result = readDescriptorBytes(fds[0], 1000, 200);
        const qint64 took = clock.elapsed();
        ::close(fds[0]);
        if (!ends)
            ::close(fds[1]);
        QCOMPARE(int(result.status), status);
        QCOMPARE(result.bytes, read);
        // Given up at the limit, not long after.
        QVERIFY2(took < 5000, qPrintable(QString::number(took)));
        if (status == int(TextFileRead::Status::TooSlow))
            QVERIFY(took >= 190);
#else
        QSKIP("pipes are a Unix matter here");
#endif
    }

    void readFile_aProcFileThatNeverEnds_isGivenUpInTime()
    {
        // /proc/kmsg says it is an empty regular file and waits for the
        // kernel's next message.
#ifdef Q_OS_UNIX
        if (::access("/proc/kmsg", R_OK) != 0)
            QSKIP("/proc/kmsg cannot be read here");
        const TextFileRead read = readFileBytes(QStringLiteral("/proc/kmsg"), 1024 * 1024, LinkPolicy::Follow, 300);
        QVERIFY(read.status == TextFileRead::Status::TooSlow || read.status == TextFileRead::Status::TooLarge);
        QVERIFY(!unreadableReason(read).isEmpty());
#else
        QSKIP("/proc is a Linux matter");
#endif
    }

    void decodeLine_eachLineOnItsOwn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << QByteArray("\xc5\xbc\xc3\xb3\xc5\x82w") << QStringLiteral("żółw");
        QTest::newRow("Windows-1250") << QByteArray("\xbf\xf3\xb3w") << QStringLiteral("żółw");
        QTest::newRow("byte-order mark kept") << QByteArray("\xef\xbb\xbfx") << QStringLiteral("\ufeffx");
        QTest::newRow("cut UTF-8 sequence") << QByteArray("a\xc5") << QStringLiteral("aĹ");
    }
    void decodeLine_eachLineOnItsOwn()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeLine(bytes), text);
        // A decoder that failed once must not spoil the next line.
        QCOMPARE(decodeLine("ok"), QStringLiteral("ok"));
    }

    void readTextLines_joinsAndDecodes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.js"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("g\xea\x9cl\xb9\nb");
        f.close();
        const TextLinesRead read = readTextLines(path);
        QVERIFY(read.ok());
        QCOMPARE(read.text, QStringLiteral("gęślą\r\nb\r\n"));
    }

    void toCrLf_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("nothing to do") << "a\r\nb" << "a\r\nb";
        QTest::newRow("LF") << "a\nb\n" << "a\r\nb\r\n";
        QTest::newRow("CR") << "a\rb" << "a\r\nb";
        QTest::newRow("no final break added") << "x" << "x";
    }
    void toCrLf()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(::toCrLf(in), out);
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
