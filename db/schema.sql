-- The suite's tables that the print module reads and writes, for the embedded database.
-- Names are written as the suite spells them; the data layer folds full-width ASCII in
-- identifiers before a statement runs, so the database holds the folded names (内訳名称ID).
-- Run it through omrix-db init (or the data layer), not through the sqlite3 shell.
--
-- Conventions:
--  * every table starts with the five audit columns;
--  * other programs insert rows naming only some columns, so every column has a default
--    (0, empty text, '0' for 削除区分, the local time for 更新日) and still accepts NULL;
--  * money is NUMERIC(19,4) (Currency: four decimals), read back through Currency;
--  * IDs are not primary keys: a soft-deleted row (削除区分 <> '0') keeps its ID beside the
--    live row that replaces it, so the keys get plain indexes instead;
--  * code columns are stored blank-padded by other programs and always matched with
--    LTrim(RTrim(..)), so their indexes are on that expression.

-- ---------------------------------------------------------------- ID numbering and locks

CREATE TABLE ＩＤ管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    ＫＥＹテーブル名称１ NVARCHAR(128) DEFAULT '',
    ＫＥＹＩＤ１ INTEGER DEFAULT 0,
    ＫＥＹテーブル名称２ NVARCHAR(128) DEFAULT '',
    ＫＥＹＩＤ２ INTEGER DEFAULT 0,
    テーブル名称 NVARCHAR(128) DEFAULT '',
    ＩＤカウンタ INTEGER DEFAULT 0
);
CREATE INDEX ＩＸ_ＩＤ管理 ON ＩＤ管理 (ＫＥＹＩＤ１, ＫＥＹＩＤ２, RTrim(テーブル名称));

-- The unique key is the lock: a second row for the same counter is refused. Trailing
-- blanks of the table name do not count, as in the suite's server.
CREATE TABLE ＩＤ排他管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    ＫＥＹテーブル名称１ NVARCHAR(128) DEFAULT '',
    ＫＥＹＩＤ１ INTEGER NOT NULL DEFAULT 0,
    ＫＥＹテーブル名称２ NVARCHAR(128) DEFAULT '',
    ＫＥＹＩＤ２ INTEGER NOT NULL DEFAULT 0,
    テーブル名称 NVARCHAR(128) NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX ＵＸ_ＩＤ排他管理 ON ＩＤ排他管理 (ＫＥＹＩＤ１, ＫＥＹＩＤ２, RTrim(テーブル名称));

-- Breakdown data some program of the suite has open for editing.
CREATE TABLE 排他管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    ＫＥＹテーブル名称１ NVARCHAR(128) DEFAULT '',
    ＫＥＹＩＤ１ INTEGER DEFAULT 0,
    ＫＥＹテーブル名称２ NVARCHAR(128) DEFAULT '',
    ＫＥＹＩＤ２ INTEGER DEFAULT 0,
    テーブル名称 NVARCHAR(128) DEFAULT '',
    ロックＩＤ番号 INTEGER DEFAULT 0
);
CREATE INDEX ＩＸ_排他管理 ON 排他管理 (ＫＥＹＩＤ２, ロックＩＤ番号);

-- ---------------------------------------------------------------- masters

CREATE TABLE 環境Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    ＬＯＣＫ作成トライ回数 SMALLINT DEFAULT 0,
    ＬＯＣＫ作成ウェイト時間 SMALLINT DEFAULT 0,
    発番排他モードトライ回数 SMALLINT DEFAULT 0,
    発番排他モードウェイト時間 SMALLINT DEFAULT 0,
    技術資料保存フォルダ NVARCHAR(256) DEFAULT '',
    回答用種目名称 NVARCHAR(64) DEFAULT '',
    回答用科目名称 NVARCHAR(64) DEFAULT '',
    消費税率 FLOAT DEFAULT 0
);

CREATE TABLE 自社Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示Ｎｏ INTEGER DEFAULT 0,
    自社ＣＤ NVARCHAR(12) DEFAULT '',
    自社ＣＤ２ NVARCHAR(10) DEFAULT '',
    自社証明書標準企業ＣＤ NVARCHAR(12) DEFAULT '',
    自社名 NVARCHAR(56) DEFAULT '',
    自社代表者氏名 NVARCHAR(128) DEFAULT '',
    証明書ＭＩＤ INTEGER DEFAULT 0,
    送信サーバー NVARCHAR(256) DEFAULT '',
    受信サーバー NVARCHAR(256) DEFAULT '',
    自社メールアドレス NVARCHAR(256) DEFAULT '',
    自社証明書メールアドレス NVARCHAR(256) DEFAULT '',
    メールアカウント NVARCHAR(256) DEFAULT '',
    メールパスワード NVARCHAR(256) DEFAULT '',
    建設業許可区分 NVARCHAR(128) DEFAULT '',
    建設業許可日 NVARCHAR(32) DEFAULT '',
    備考 NVARCHAR(128) DEFAULT '',
    POP_BEFORE_SMTP INTEGER DEFAULT 0,
    待ち時間 INTEGER DEFAULT 0,
    請求算定方式ＣＤ NVARCHAR(12) DEFAULT '',
    受信ポート NVARCHAR(5) DEFAULT '',
    送信ポート NVARCHAR(5) DEFAULT '',
    SMTP認証 INTEGER DEFAULT 0,
    SMTPユーザID NVARCHAR(128) DEFAULT '',
    SMTPパスワード NVARCHAR(128) DEFAULT ''
);
CREATE INDEX ＩＸ_自社Ｍ ON 自社Ｍ (LTrim(RTrim(自社ＣＤ)));

CREATE TABLE 自社担当者Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    自社担当者ＭＩＤ INTEGER DEFAULT 0,
    自社ＣＤ NVARCHAR(12) DEFAULT '',
    本店_支店ＣＤ NVARCHAR(12) DEFAULT '',
    担当者ＣＤ NVARCHAR(12) DEFAULT '',
    自社担当部署名 NVARCHAR(64) DEFAULT '',
    自社担当者名 NVARCHAR(28) DEFAULT '',
    自社担当者メールアドレス NVARCHAR(256) DEFAULT '',
    自社担当郵便番号 NVARCHAR(10) DEFAULT '',
    自社担当住所 NVARCHAR(100) DEFAULT '',
    自社担当電話番号 NVARCHAR(15) DEFAULT '',
    自社担当ＦＡＸ番号 NVARCHAR(15) DEFAULT '',
    自社決裁者名 NVARCHAR(28) DEFAULT '',
    担当者パスワード NVARCHAR(28) DEFAULT '',
    権限 SMALLINT DEFAULT 0,
    備考 NVARCHAR(128) DEFAULT ''
);
CREATE INDEX ＩＸ_自社担当者Ｍ ON 自社担当者Ｍ (自社担当者ＭＩＤ);

CREATE TABLE 他社担当者Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    他社担当者ＭＩＤ INTEGER DEFAULT 0,
    他社ＣＤ NVARCHAR(12) DEFAULT '',
    他社ＣＤ２ NVARCHAR(10) DEFAULT '',
    他社担当部署名 NVARCHAR(64) DEFAULT '',
    他社担当者名 NVARCHAR(28) DEFAULT '',
    他社担当者メールアドレス NVARCHAR(256) DEFAULT '',
    他社担当電話番号 NVARCHAR(15) DEFAULT '',
    他社担当ＦＡＸ番号 NVARCHAR(15) DEFAULT '',
    備考 NVARCHAR(128) DEFAULT ''
);
CREATE INDEX ＩＸ_他社担当者Ｍ ON 他社担当者Ｍ (他社担当者ＭＩＤ);

CREATE TABLE 内訳書出力形式Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    内訳書出力形式ＩＤ INTEGER DEFAULT 0,
    内訳書出力形式名称 NCHAR(32) DEFAULT ''
);

CREATE TABLE 金額種類Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    金額種類ＩＤ INTEGER DEFAULT 0,
    金額種類名称 NVARCHAR(32) DEFAULT ''
);

CREATE TABLE 構造区分Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    構造区分ＩＤ INTEGER DEFAULT 0,
    構造区分名称 NVARCHAR(64) DEFAULT ''
);

CREATE TABLE 杭工法Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    杭工法ＩＤ INTEGER DEFAULT 0,
    杭工法名称 NVARCHAR(64) DEFAULT ''
);

CREATE TABLE 設計社Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    設計社ＣＤ NVARCHAR(12) DEFAULT '',
    設計社ＣＤ２ NVARCHAR(10) DEFAULT '',
    設計社名 NVARCHAR(56) DEFAULT '',
    設計社郵便番号 NVARCHAR(10) DEFAULT '',
    設計社住所 NVARCHAR(100) DEFAULT '',
    設計社電話番号 NVARCHAR(15) DEFAULT '',
    設計社ＦＡＸ番号 NVARCHAR(15) DEFAULT '',
    備考 NVARCHAR(128) DEFAULT ''
);
CREATE INDEX ＩＸ_設計社Ｍ ON 設計社Ｍ (LTrim(RTrim(設計社ＣＤ)));

CREATE TABLE 建物用途Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    建物用途ＩＤ INTEGER DEFAULT 0,
    建物用途名称 NVARCHAR(128) DEFAULT ''
);

CREATE TABLE 都道府県Ｍ (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示No INTEGER DEFAULT 0,
    都道府県ＩＤ INTEGER DEFAULT 0,
    都道府県名称 NVARCHAR(16) DEFAULT ''
);

-- ---------------------------------------------------------------- breakdown

CREATE TABLE 内訳名称 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    内訳名称ＩＤ INTEGER DEFAULT 0,
    内訳名称 NVARCHAR(64) DEFAULT '',
    物件No NVARCHAR(16) DEFAULT '',
    版No NVARCHAR(4) DEFAULT '',
    種別フラグ SMALLINT DEFAULT 0,
    事業所ＩＤ INTEGER DEFAULT 0
);
CREATE INDEX ＩＸ_内訳名称 ON 内訳名称 (内訳名称ＩＤ);
CREATE INDEX ＩＸ_内訳名称_物件 ON 内訳名称 (LTrim(RTrim(物件No)), LTrim(RTrim(版No)));

CREATE TABLE 内訳 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    内訳名称ＩＤ INTEGER DEFAULT 0,
    内訳ＩＤ INTEGER DEFAULT 0,
    種別フラグ SMALLINT DEFAULT 0,
    明細データ属性コード NCHAR(1) DEFAULT '',
    親内訳ＩＤ INTEGER DEFAULT 0,
    合計見出し行ＩＤ INTEGER DEFAULT 0,
    継続親内訳ＩＤ INTEGER DEFAULT 0,
    継続行No SMALLINT DEFAULT 0,
    棟別 SMALLINT DEFAULT 0,
    移動元内訳ＩＤ INTEGER DEFAULT 0,
    種目ＩＤ INTEGER DEFAULT 0,
    科目ＩＤ INTEGER DEFAULT 0,
    部位ＩＤ INTEGER DEFAULT 0,
    細目ＩＤ INTEGER DEFAULT 0,
    仕様規格ＩＤ１ INTEGER DEFAULT 0,
    仕様規格ＩＤ２ INTEGER DEFAULT 0,
    仕様規格ＩＤ３ INTEGER DEFAULT 0,
    仕様規格ＩＤ４ INTEGER DEFAULT 0,
    内外区分 NCHAR(1) DEFAULT '',
    表示番号名称 VARCHAR(16) DEFAULT '',
    名称１ VARCHAR(54) DEFAULT '',
    名称２ VARCHAR(54) DEFAULT '',
    名称３ VARCHAR(54) DEFAULT '',
    名称４ VARCHAR(54) DEFAULT '',
    仕様１ VARCHAR(66) DEFAULT '',
    仕様２ VARCHAR(66) DEFAULT '',
    仕様３ VARCHAR(66) DEFAULT '',
    仕様４ VARCHAR(66) DEFAULT '',
    単位ＩＤ INTEGER DEFAULT 0,
    単位名称 VARCHAR(16) DEFAULT '',
    拾い数量 FLOAT DEFAULT 0,
    内訳数量 FLOAT DEFAULT 0,
    他社担当者ＭＩＤ INTEGER DEFAULT 0,
    受注者単価 NUMERIC(19, 4) DEFAULT 0,
    受注者割掛加算額 NUMERIC(19, 4) DEFAULT 0,
    見積１単価 NUMERIC(19, 4) DEFAULT 0,
    見積１金額 NUMERIC(19, 4) DEFAULT 0,
    見積２単価 NUMERIC(19, 4) DEFAULT 0,
    見積２金額 NUMERIC(19, 4) DEFAULT 0,
    見積３単価 NUMERIC(19, 4) DEFAULT 0,
    見積３金額 NUMERIC(19, 4) DEFAULT 0,
    見積４単価 NUMERIC(19, 4) DEFAULT 0,
    見積４金額 NUMERIC(19, 4) DEFAULT 0,
    提出用単価 NUMERIC(19, 4) DEFAULT 0,
    提出用金額 NUMERIC(19, 4) DEFAULT 0,
    拾い種目ＩＤ INTEGER DEFAULT 0,
    拾い科目ＩＤ INTEGER DEFAULT 0,
    表示No INTEGER DEFAULT 0,
    頁名称 VARCHAR(16) DEFAULT '',
    数量計算式 VARCHAR(128) DEFAULT '',
    受注者単価計算式 VARCHAR(128) DEFAULT '',
    見積１単価計算式 VARCHAR(128) DEFAULT '',
    見積２単価計算式 VARCHAR(128) DEFAULT '',
    見積３単価計算式 VARCHAR(128) DEFAULT '',
    見積４単価計算式 VARCHAR(128) DEFAULT '',
    提出用単価計算式 VARCHAR(128) DEFAULT '',
    社内備考 VARCHAR(34) DEFAULT '',
    社外備考 VARCHAR(34) DEFAULT '',
    補助数量 FLOAT DEFAULT 0,
    補助数量単位 VARCHAR(16) DEFAULT '',
    設計記号 VARCHAR(16) DEFAULT '',
    [工種＿科目コード] VARCHAR(16) DEFAULT '',
    部位区分 VARCHAR(16) DEFAULT '',
    定価 NUMERIC(19, 4) DEFAULT 0,
    単価掛率 FLOAT DEFAULT 0,
    仕分け区分 VARCHAR(32) DEFAULT '',
    建設資機材コード VARCHAR(64) DEFAULT '',
    使用期間 FLOAT DEFAULT 0,
    使用期間単位 VARCHAR(16) DEFAULT '',
    使用メーカーコード VARCHAR(25) DEFAULT '',
    使用メーカー名 VARCHAR(40) DEFAULT '',
    使用商社コード VARCHAR(25) DEFAULT '',
    使用商社名 VARCHAR(40) DEFAULT '',
    補助明細コード VARCHAR(2) DEFAULT '',
    明細別材工共コード VARCHAR(2) DEFAULT '',
    取引コード VARCHAR(14) DEFAULT '',
    明細番号 VARCHAR(25) DEFAULT '',
    明細番号２ VARCHAR(5) DEFAULT ''
);
CREATE INDEX ＩＸ_内訳 ON 内訳 (内訳名称ＩＤ, 内訳ＩＤ);
-- The whole breakdown is read in 表示No order.
CREATE INDEX ＩＸ_内訳_表示No ON 内訳 (内訳名称ＩＤ, 表示No, 種別フラグ);

CREATE TABLE 代価表 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    内訳名称ＩＤ INTEGER DEFAULT 0,
    代価表ＩＤ INTEGER DEFAULT 0,
    内訳ＩＤ INTEGER DEFAULT 0,
    端数金額 NUMERIC(19, 4) DEFAULT 0,
    合計金額 NUMERIC(19, 4) DEFAULT 0,
    モデル数量 FLOAT DEFAULT 0,
    換算単価 NUMERIC(19, 4) DEFAULT 0
);
CREATE INDEX ＩＸ_代価表 ON 代価表 (内訳名称ＩＤ, 内訳ＩＤ);
CREATE INDEX ＩＸ_代価表_ＩＤ ON 代価表 (代価表ＩＤ);

-- ---------------------------------------------------------------- print rows

CREATE TABLE 内訳出力 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    内訳名称ＩＤ INTEGER DEFAULT 0,
    内訳出力ＩＤ INTEGER DEFAULT 0,
    表示番号名称 VARCHAR(16) DEFAULT '',
    名称１ VARCHAR(64) DEFAULT '',
    名称２ VARCHAR(64) DEFAULT '',
    名称３ VARCHAR(64) DEFAULT '',
    名称４ VARCHAR(64) DEFAULT '',
    仕様１ VARCHAR(66) DEFAULT '',
    仕様２ VARCHAR(66) DEFAULT '',
    仕様３ VARCHAR(66) DEFAULT '',
    仕様４ VARCHAR(66) DEFAULT '',
    単位名称 VARCHAR(16) DEFAULT '',
    内訳数量 VARCHAR(16) DEFAULT '',
    見積１単価 NUMERIC(19, 4) DEFAULT 0,
    見積１金額 NUMERIC(19, 4) DEFAULT 0,
    見積２単価 NUMERIC(19, 4) DEFAULT 0,
    見積２金額 NUMERIC(19, 4) DEFAULT 0,
    見積３単価 NUMERIC(19, 4) DEFAULT 0,
    見積３金額 NUMERIC(19, 4) DEFAULT 0,
    見積４単価 NUMERIC(19, 4) DEFAULT 0,
    見積４金額 NUMERIC(19, 4) DEFAULT 0,
    提出用単価 NUMERIC(19, 4) DEFAULT 0,
    提出用金額 NUMERIC(19, 4) DEFAULT 0,
    表示No INTEGER DEFAULT 0,
    頁番号 INTEGER DEFAULT 0,
    表示頁番号 INTEGER DEFAULT 0,
    頁名称 VARCHAR(16) DEFAULT '',
    数量計算式 VARCHAR(128) DEFAULT '',
    単価計算式 VARCHAR(128) DEFAULT '',
    社内備考 VARCHAR(128) DEFAULT '',
    社外備考 VARCHAR(128) DEFAULT '',
    送受信インデックス履歴ＩＤ INTEGER DEFAULT 0,
    明細別材工共コード VARCHAR(2) DEFAULT '',
    使用メーカー名 VARCHAR(40) DEFAULT '',
    使用商社名 VARCHAR(40) DEFAULT ''
);
CREATE INDEX ＩＸ_内訳出力 ON 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ);
-- The statement's page index reads these columns alone, in page order.
CREATE INDEX ＩＸ_内訳出力_頁 ON 内訳出力 (内訳名称ＩＤ, 頁番号, 表示No, 内訳出力ＩＤ, 削除区分, 表示頁番号, 頁名称);

-- ---------------------------------------------------------------- project

CREATE TABLE 物件管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    表示Ｎｏ INTEGER DEFAULT 0,
    物件管理ＩＤ INTEGER DEFAULT 0,
    物件No NVARCHAR(16) DEFAULT '',
    物件No枝番 NVARCHAR(4) DEFAULT '',
    工事名称 NVARCHAR(76) DEFAULT '',
    工事略称 NVARCHAR(50) DEFAULT '',
    予定区分 NCHAR(1) DEFAULT '',
    ＪＶ構成企業 NCHAR(1) DEFAULT '',
    物件工事場所管理ＩＤ INTEGER DEFAULT 0,
    事業所ＩＤ INTEGER DEFAULT 0,
    物件種別ＩＤ INTEGER DEFAULT 0,
    物件建物管理ＩＤ INTEGER DEFAULT 0,
    物件規模管理ＩＤ INTEGER DEFAULT 0,
    自社担当者ＭＩＤ INTEGER DEFAULT 0,
    自社ＣＤ NVARCHAR(12) DEFAULT '',
    自社ＣＤ２ NVARCHAR(10) DEFAULT '',
    他社担当者ＭＩＤ INTEGER DEFAULT 0,
    他社ＣＤ NVARCHAR(12) DEFAULT '',
    他社ＣＤ２ NVARCHAR(10) DEFAULT '',
    設計担当者ＭＩＤ INTEGER DEFAULT 0,
    設計社ＣＤ NVARCHAR(12) DEFAULT '',
    物件杭管理ＩＤ INTEGER DEFAULT 0,
    物件主仕上管理ＩＤ INTEGER DEFAULT 0,
    物件特記管理ＩＤ INTEGER DEFAULT 0,
    備考 NVARCHAR(128) DEFAULT ''
);
CREATE INDEX ＩＸ_物件管理 ON 物件管理 (LTrim(RTrim(物件No)), LTrim(RTrim(物件No枝番)));

CREATE TABLE 物件規模管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件規模管理ＩＤ INTEGER DEFAULT 0,
    構造区分ＩＤ INTEGER DEFAULT 0,
    地下階 SMALLINT DEFAULT 0,
    地上階 SMALLINT DEFAULT 0,
    ＰＨ階 SMALLINT DEFAULT 0,
    軒高 FLOAT DEFAULT 0,
    敷地面積 FLOAT DEFAULT 0,
    建築面積 FLOAT DEFAULT 0,
    延床面積 FLOAT DEFAULT 0,
    施工床面積 FLOAT DEFAULT 0,
    ボーリングデータ有無 NCHAR(1) DEFAULT ''
);
CREATE INDEX ＩＸ_物件規模管理 ON 物件規模管理 (物件規模管理ＩＤ);

CREATE TABLE 物件工事場所管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件工事場所管理ＩＤ INTEGER DEFAULT 0,
    都道府県ＩＤ INTEGER DEFAULT 0,
    受渡し場所郵便番号 NVARCHAR(10) DEFAULT '',
    受渡し場所住所 NVARCHAR(100) DEFAULT '',
    受渡し場所所長名 NVARCHAR(28) DEFAULT '',
    受渡し場所担当者名 NVARCHAR(28) DEFAULT '',
    受渡し場所電話番号 NVARCHAR(15) DEFAULT '',
    受渡し場所ＦＡＸ番号 NVARCHAR(15) DEFAULT ''
);
CREATE INDEX ＩＸ_物件工事場所管理 ON 物件工事場所管理 (物件工事場所管理ＩＤ);

CREATE TABLE 物件杭管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件杭管理ＩＤ INTEGER DEFAULT 0,
    杭工法ＩＤ INTEGER DEFAULT 0,
    杭長さ FLOAT DEFAULT 0,
    杭本数 INTEGER DEFAULT 0,
    杭径 INTEGER DEFAULT 0,
    基礎種類ＩＤ INTEGER DEFAULT 0
);
CREATE INDEX ＩＸ_物件杭管理 ON 物件杭管理 (物件杭管理ＩＤ);

CREATE TABLE 物件建物管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件建物管理ＩＤ INTEGER DEFAULT 0,
    建物分類ＩＤ INTEGER DEFAULT 0,
    主建物用途ＩＤ INTEGER DEFAULT 0,
    副建物用途ＩＤ INTEGER DEFAULT 0,
    建物数量 FLOAT DEFAULT 0
);
CREATE INDEX ＩＸ_物件建物管理 ON 物件建物管理 (物件建物管理ＩＤ);

CREATE TABLE 物件特記管理 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件特記管理ＩＤ INTEGER DEFAULT 0,
    工期ＦＲＯＭ DATETIME,
    工期ＴＯ DATETIME,
    工事No NVARCHAR(12) DEFAULT '',
    契約金額 NUMERIC(19, 4) DEFAULT 0,
    支払条件 NVARCHAR(314) DEFAULT '',
    特記事項 NVARCHAR(92) DEFAULT ''
);
CREATE INDEX ＩＸ_物件特記管理 ON 物件特記管理 (物件特記管理ＩＤ);

CREATE TABLE 物件概要 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件概要ＩＤ INTEGER DEFAULT 0,
    物件No NVARCHAR(16) DEFAULT '',
    事業所名称 NVARCHAR(128) DEFAULT '',
    工事名称 NVARCHAR(76) DEFAULT '',
    工事略称 NVARCHAR(50) DEFAULT '',
    受渡し場所住所 NVARCHAR(128) DEFAULT '',
    設計者担当部署名 NVARCHAR(128) DEFAULT '',
    発注者担当部署名 NVARCHAR(128) DEFAULT '',
    建物用途名称 NVARCHAR(128) DEFAULT '',
    建物数量 FLOAT DEFAULT 0,
    構造区分名称 NVARCHAR(64) DEFAULT '',
    地下階 SMALLINT DEFAULT 0,
    地上階 SMALLINT DEFAULT 0,
    ＰＨ階 SMALLINT DEFAULT 0,
    軒高 FLOAT DEFAULT 0,
    敷地面積 FLOAT DEFAULT 0,
    建築面積 FLOAT DEFAULT 0,
    延床面積 FLOAT DEFAULT 0,
    施工床面積 FLOAT DEFAULT 0,
    敷地面積坪 FLOAT DEFAULT 0,
    建築面積坪 FLOAT DEFAULT 0,
    延床面積坪 FLOAT DEFAULT 0,
    施工床面積坪 FLOAT DEFAULT 0,
    工期 NVARCHAR(64) DEFAULT '',
    見積範囲 NVARCHAR(64) DEFAULT '',
    特記事項１ NVARCHAR(128) DEFAULT '',
    特記事項２ NVARCHAR(128) DEFAULT '',
    特記事項３ NVARCHAR(128) DEFAULT '',
    特記事項４ NVARCHAR(128) DEFAULT '',
    特記事項５ NVARCHAR(128) DEFAULT '',
    杭有無 NCHAR(1) DEFAULT '',
    杭備考 NVARCHAR(64) DEFAULT '',
    山止有無 NCHAR(1) DEFAULT '',
    山止備考 NVARCHAR(64) DEFAULT '',
    構台有無 NCHAR(1) DEFAULT '',
    構台備考 NVARCHAR(64) DEFAULT '',
    ボーリングデータ有無 NCHAR(1) DEFAULT '',
    ボーリングデータ備考 NVARCHAR(64) DEFAULT '',
    載荷有無 NCHAR(1) DEFAULT '',
    載荷備考 NVARCHAR(64) DEFAULT ''
);
CREATE INDEX ＩＸ_物件概要 ON 物件概要 (物件概要ＩＤ);
CREATE INDEX ＩＸ_物件概要_物件No ON 物件概要 (LTrim(RTrim(物件No)));

CREATE TABLE 物件見積要項 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件見積要項ＩＤ INTEGER DEFAULT 0,
    物件No NVARCHAR(16) DEFAULT '',
    版No NVARCHAR(4) DEFAULT '',
    事業所名称 NVARCHAR(128) DEFAULT '',
    工事名称 NVARCHAR(76) DEFAULT '',
    工事略称 NVARCHAR(50) DEFAULT '',
    受渡し場所住所 NVARCHAR(128) DEFAULT '',
    設計者担当部署名 NVARCHAR(128) DEFAULT '',
    発注者担当部署名 NVARCHAR(128) DEFAULT '',
    建物用途名称 NVARCHAR(128) DEFAULT '',
    建物数量 FLOAT DEFAULT 0,
    構造区分名称 NVARCHAR(64) DEFAULT '',
    地下階 SMALLINT DEFAULT 0,
    地上階 SMALLINT DEFAULT 0,
    ＰＨ階 SMALLINT DEFAULT 0,
    軒高 FLOAT DEFAULT 0,
    敷地面積 FLOAT DEFAULT 0,
    建築面積 FLOAT DEFAULT 0,
    延床面積 FLOAT DEFAULT 0,
    施工床面積 FLOAT DEFAULT 0,
    敷地面積坪 FLOAT DEFAULT 0,
    建築面積坪 FLOAT DEFAULT 0,
    延床面積坪 FLOAT DEFAULT 0,
    施工床面積坪 FLOAT DEFAULT 0,
    工期 NVARCHAR(64) DEFAULT '',
    付帯工事 NVARCHAR(64) DEFAULT '',
    支払条件１ NVARCHAR(128) DEFAULT '',
    支払条件２ NVARCHAR(128) DEFAULT '',
    支払条件３ NVARCHAR(128) DEFAULT '',
    支払条件４ NVARCHAR(128) DEFAULT '',
    支払条件５ NVARCHAR(128) DEFAULT '',
    支払条件６ NVARCHAR(128) DEFAULT '',
    杭１ NVARCHAR(64) DEFAULT '',
    杭２ NVARCHAR(64) DEFAULT '',
    杭３ NVARCHAR(64) DEFAULT '',
    杭４ NVARCHAR(64) DEFAULT '',
    別途工事１ NVARCHAR(64) DEFAULT '',
    別途工事２ NVARCHAR(64) DEFAULT '',
    別途工事３ NVARCHAR(64) DEFAULT '',
    別途工事４ NVARCHAR(64) DEFAULT '',
    別途工事５ NVARCHAR(64) DEFAULT '',
    備考１ NVARCHAR(64) DEFAULT '',
    備考２ NVARCHAR(64) DEFAULT '',
    備考３ NVARCHAR(64) DEFAULT '',
    備考４ NVARCHAR(64) DEFAULT '',
    備考５ NVARCHAR(64) DEFAULT '',
    備考６ NVARCHAR(64) DEFAULT '',
    備考７ NVARCHAR(64) DEFAULT '',
    備考８ NVARCHAR(64) DEFAULT '',
    備考９ NVARCHAR(64) DEFAULT '',
    備考１０ NVARCHAR(64) DEFAULT '',
    備考１１ NVARCHAR(64) DEFAULT '',
    文章 NVARCHAR(128) DEFAULT ''
);
CREATE INDEX ＩＸ_物件見積要項 ON 物件見積要項 (物件見積要項ＩＤ);
CREATE INDEX ＩＸ_物件見積要項_物件 ON 物件見積要項 (LTrim(RTrim(物件No)), LTrim(RTrim(版No)));

CREATE TABLE 物件変数 (
    更新日 DATETIME DEFAULT (datetime('now', 'localtime')),
    更新操作者 NVARCHAR(16) DEFAULT '',
    更新画面ＩＤ NVARCHAR(16) DEFAULT '',
    更新カウンタ SMALLINT DEFAULT 0,
    削除区分 NCHAR(1) DEFAULT '0',
    物件変数ＩＤ INTEGER DEFAULT 0,
    物件No NVARCHAR(16) DEFAULT '',
    変数名 NVARCHAR(16) DEFAULT '',
    名称 NVARCHAR(32) DEFAULT '',
    数量 FLOAT DEFAULT 0
);
CREATE INDEX ＩＸ_物件変数 ON 物件変数 (LTrim(RTrim(物件No)), LTrim(RTrim(変数名)));
