"""English vocabulary book for Japanese upper-secondary students (book type 101).

Each headword line: word|part of speech|meaning|phrase|example|example...
A phrase or example is "English = Japanese"; the headword (in the form used)
stands in square brackets in the English half.
"""

from books.booksql import Book, gaiji

TITLE = "英単語ステップアップ ― 高校基礎編"

UNITS = [
    ("Unit 1 学校と学び", 1, """
achieve|動|～を達成する，成し遂げる|[achieve] a goal = 目標を達成する|She worked hard to [achieve] her dream of becoming a doctor. = 彼女は医者になるという夢を実現するために懸命に努力した。|Our team [achieved] first place in the contest. = 私たちのチームはコンテストで1位を獲得した。
attend|動|～に出席する，通う|[attend] a meeting = 会議に出席する|More than 300 students [attended] the ceremony. = 300人を超える生徒が式典に出席した。|My brother [attends] a high school in Kyoto. = 兄は京都の高校に通っている。
explain|動|～を説明する|[explain] the reason = 理由を説明する|Could you [explain] how this machine works? = この機械がどのように動くのか説明していただけますか。|The teacher [explained] the rule with a simple example. = 先生は簡単な例を使ってその規則を説明した。
improve|動|～を改善する，上達する|[improve] one's English = 英語力を向上させる|Reading every day will [improve] your vocabulary. = 毎日読書をすれば語彙力が向上するだろう。
knowledge|名|知識|a [knowledge] of history = 歴史の知識|He has a wide [knowledge] of Japanese art. = 彼は日本美術について幅広い知識を持っている。
subject|名|教科，話題，主題|my favorite [subject] = 私の好きな教科|Let's change the [subject] and talk about the trip. = 話題を変えて旅行の話をしよう。|Math is my favorite [subject]. = 数学は私のいちばん好きな教科だ。
review|動|～を復習する，見直す|[review] the lesson = 授業の復習をする|I always [review] my notes before a test. = 私はテストの前にいつもノートを見直す。
memorize|動|～を暗記する|[memorize] new words = 新しい単語を暗記する|Actors have to [memorize] a lot of lines. = 俳優は多くのせりふを覚えなければならない。
graduate|動|卒業する|[graduate] from high school = 高校を卒業する|My sister [graduated] from college last spring. = 姉は昨年の春に大学を卒業した。
encourage|動|～を励ます，促す|[encourage] students to read = 生徒に読書を勧める|My parents always [encourage] me to try new things. = 両親はいつも私に新しいことに挑戦するよう励ましてくれる。|Her words [encouraged] me to keep going. = 彼女の言葉に励まされて私は頑張り続けた。
effort|名|努力|make an [effort] = 努力する|Learning a language takes time and [effort]. = 言語の習得には時間と努力が必要だ。|Thanks to her [efforts], the festival was a great success. = 彼女の努力のおかげで，その祭りは大成功だった。
--
discuss|動|～について話し合う|[discuss] the problem = その問題について話し合う|We [discussed] our plans for the school festival. = 私たちは文化祭の計画について話し合った。
require|動|～を必要とする，要求する|be [required] for the job = その仕事に必要とされる|This course [requires] a lot of reading. = この講座では多くの読書が求められる。
solve|動|～を解決する，解く|[solve] a problem = 問題を解決する|It took me an hour to [solve] the last question. = 最後の問題を解くのに1時間かかった。|The police couldn't [solve] the mystery. = 警察はその謎を解くことができなかった。
skill|名|技能，腕前|communication [skills] = コミュニケーション能力|Playing the piano well requires great [skill]. = ピアノを上手に弾くには高度な技術が必要だ。
lecture|名|講義，講演|give a [lecture] = 講義をする|The professor's [lecture] on space was very interesting. = 宇宙についてのその教授の講義はとても興味深かった。
term|名|学期，用語，期間|the second [term] = 2学期|You should look up any technical [terms] you don't know. = 知らない専門用語は調べたほうがよい。
average|名|平均|above [average] = 平均以上|My test score was a little higher than the class [average]. = 私のテストの点数はクラスの平均より少し高かった。
challenge|名|難題，挑戦|face a [challenge] = 難題に直面する|Running a full marathon was a big [challenge] for me. = フルマラソンを走ることは私にとって大きな挑戦だった。
advice|名|助言，忠告|a piece of [advice] = ひとつの助言|I asked my coach for [advice] about training. = 私はトレーニングについてコーチに助言を求めた。|Take your doctor's [advice] and get some rest. = 医者の忠告に従って少し休みなさい。
concentrate|動|集中する|[concentrate] on one's work = 仕事に集中する|It's hard to [concentrate] when the room is noisy. = 部屋がうるさいと集中するのは難しい。
"""),
    ("Unit 2 日常生活", 1, """
prepare|動|～を準備する，備える|[prepare] dinner = 夕食を準備する|We need to [prepare] for the typhoon. = 台風に備える必要がある。|Mom was busy [preparing] lunch boxes in the morning. = 母は朝，弁当の準備で忙しかった。
borrow|動|～を借りる|[borrow] a book from the library = 図書館から本を借りる|Can I [borrow] your umbrella? I'll return it tomorrow. = 傘を借りてもいいですか。明日返します。
lend|動|～を貸す|[lend] him some money = 彼にいくらかお金を貸す|Could you [lend] me your dictionary for a minute? = ちょっと辞書を貸してもらえますか。
wear|動|～を身につけている，着ている|[wear] glasses = 眼鏡をかけている|Students have to [wear] a uniform at our school. = 私たちの学校では生徒は制服を着なければならない。
purchase|動|～を購入する|[purchase] a ticket online = オンラインでチケットを購入する|You can [purchase] drinks at the front desk. = 飲み物はフロントで購入できます。
repair|動|～を修理する|[repair] a bike = 自転車を修理する|It cost 5,000 yen to have my phone [repaired]. = 携帯電話を修理してもらうのに5,000円かかった。
neighbor|名|近所の人，隣人|my next-door [neighbor] = 隣の家の人|Our [neighbors] kindly looked after our cat while we were away. = 私たちの留守中，近所の人が親切にも猫の世話をしてくれた。
habit|名|習慣，癖|a good [habit] = よい習慣|Going to bed early is a healthy [habit]. = 早く寝るのは健康的な習慣だ。|He has a [habit] of biting his nails. = 彼には爪をかむ癖がある。
schedule|名|予定，スケジュール|a busy [schedule] = 過密な予定|The train left on [schedule]. = 列車は予定どおりに出発した。
receive|動|～を受け取る|[receive] a letter = 手紙を受け取る|I [received] an e-mail from my friend in Canada. = カナダの友人からメールを受け取った。
deliver|動|～を配達する，届ける|[deliver] a package = 荷物を配達する|The pizza will be [delivered] within thirty minutes. = ピザは30分以内に配達されます。
--
laundry|名|洗濯，洗濯物|do the [laundry] = 洗濯をする|I hung the [laundry] out to dry in the sun. = 私は洗濯物を日に当てて干した。
convenient|形|便利な，都合のよい|a [convenient] place = 便利な場所|Please call me when it is [convenient] for you. = ご都合のよいときにお電話ください。|This store is [convenient] because it's open all night. = この店は一晩中開いているので便利だ。
ordinary|形|普通の，平凡な|[ordinary] people = 普通の人々|It was just an [ordinary] day until the phone rang. = 電話が鳴るまでは，ごく普通の一日だった。
necessary|形|必要な|if [necessary] = 必要ならば|Is it [necessary] to bring a lunch tomorrow? = 明日は昼食を持ってくる必要がありますか。
spend|動|（時間・お金）を費やす，過ごす|[spend] time with one's family = 家族と時間を過ごす|I [spent] the whole weekend cleaning my room. = 私は週末をまるごと部屋の掃除に費やした。|How much did you [spend] on your new shoes? = 新しい靴にいくら使ったの。
save|動|～を節約する，救う，蓄える|[save] money = お金をためる|Taking the bus will [save] you a lot of time. = バスに乗れば，かなり時間が節約できますよ。|The doctor [saved] the boy's life. = 医者がその少年の命を救った。
waste|動|～を浪費する，無駄にする|[waste] time = 時間を無駄にする|Don't [waste] water when you brush your teeth. = 歯を磨くときに水を無駄にしてはいけない。
recipe|名|調理法，レシピ|a [recipe] for curry = カレーの作り方|My grandmother taught me her [recipe] for apple pie. = 祖母がアップルパイの作り方を教えてくれた。
chore|名|（日常の）雑用，家事|household [chores] = 家事|Washing the dishes is my least favorite [chore]. = 皿洗いは私がいちばん好きではない家事だ。
arrange|動|～を手配する，整える，並べる|[arrange] a meeting = 会合の手はずを整える|She [arranged] the flowers in a tall vase. = 彼女は背の高い花びんに花を生けた。
"""),
    ("Unit 3 人と気持ち", 1, """
emotion|名|感情|express one's [emotions] = 感情を表す|He tried to hide his [emotions] during the speech. = 彼はスピーチの間，感情を隠そうとした。
anxious|形|心配して，切望して|be [anxious] about the future = 将来を心配している|She was [anxious] about her first day at the new school. = 彼女は新しい学校での初日を不安に思っていた。
grateful|形|感謝している|be [grateful] for your help = あなたの助けに感謝している|I'm really [grateful] to my host family. = ホストファミリーには本当に感謝しています。
confident|形|自信がある，確信して|a [confident] smile = 自信に満ちた笑顔|After a lot of practice, I felt [confident] about the speech. = たくさん練習した後，私はスピーチに自信が持てた。
respect|動|～を尊敬する，尊重する|[respect] other people's opinions = 他人の意見を尊重する|Many young players [respect] him as a great coach. = 多くの若い選手が彼を偉大な監督として尊敬している。
admire|動|～に感心する，～を称賛する|[admire] the view = 景色に見とれる|I [admire] her courage to speak up in class. = 授業ではっきり意見を言う彼女の勇気に感心する。
embarrassed|形|恥ずかしい思いをした，きまりが悪い|feel [embarrassed] = 恥ずかしく感じる|I was [embarrassed] when I called my teacher "Mom." = 先生を「お母さん」と呼んでしまって恥ずかしかった。
disappointed|形|がっかりした，失望した|be [disappointed] with the result = 結果にがっかりする|The fans were [disappointed] that the concert was canceled. = ファンはコンサートが中止になってがっかりした。
personality|名|性格，個性|a cheerful [personality] = 明るい性格|She has a warm [personality] and makes friends easily. = 彼女は温かい性格で，すぐに友達ができる。
honest|形|正直な|an [honest] answer = 正直な答え|To be [honest], I didn't like the movie very much. = 正直に言うと，その映画はあまり好きではなかった。|Thank you for being [honest] with me. = 正直に話してくれてありがとう。
patient|形|忍耐強い，我慢強い|be [patient] with children = 子どもに対して辛抱強い|Please be [patient]. The doctor will see you soon. = もう少しお待ちください。まもなく医師が診察します。
--
relationship|名|関係|a close [relationship] = 親密な関係|The [relationship] between the two countries has improved. = 両国の関係は改善した。
trust|動|～を信頼する|[trust] each other = お互いを信頼する|You can [trust] him. He always keeps his promises. = 彼は信頼できるよ。いつも約束を守るから。
forgive|動|～を許す|[forgive] a mistake = 過ちを許す|Please [forgive] me for being late. = 遅れてしまったことをお許しください。
argue|動|言い争う，～と主張する|[argue] with one's brother = 兄と口論する|The two boys were [arguing] about whose turn it was. = 2人の男の子はどちらの番かで言い争っていた。|Some people [argue] that the plan costs too much. = その計画は費用がかかりすぎると主張する人もいる。
apologize|動|謝る|[apologize] to her = 彼女に謝る|He [apologized] for breaking the window. = 彼は窓を割ったことを謝った。
appreciate|動|～をありがたく思う，～の良さがわかる|[appreciate] your kindness = あなたの親切に感謝する|I really [appreciate] your help with my homework. = 宿題を手伝ってくれて本当にありがとう。
sympathy|名|同情，共感|feel [sympathy] for the victims = 被害者に同情する|We expressed our [sympathy] to the family. = 私たちはその家族にお悔やみを述べた。
cooperate|動|協力する|[cooperate] with each other = 互いに協力する|Everyone [cooperated] to clean up the park. = 公園をきれいにするために皆が協力した。
rely|動|頼る，当てにする|[rely] on one's friends = 友人を頼りにする|Many people [rely] on their smartphones to find their way. = 多くの人が道を調べるのにスマートフォンに頼っている。
generous|形|気前のよい，寛大な|a [generous] gift = 気前のよい贈り物|It was very [generous] of you to share your lunch. = お弁当を分けてくれるなんて，とても気前がいいね。
"""),
    ("Unit 4 社会と仕事", 2, """
employ|動|～を雇う|[employ] new staff = 新しい職員を雇う|The factory [employs] about 200 local people. = その工場は地元の人を約200人雇っている。
career|名|職業，経歴|a [career] in medicine = 医療の職業|She started her [career] as a nurse in Osaka. = 彼女は大阪で看護師として職業生活をスタートさせた。
salary|名|給料|a monthly [salary] = 月給|He got a higher [salary] at his new job. = 彼は新しい職場でより高い給料をもらった。
industry|名|産業，工業|the car [industry] = 自動車産業|Tourism is an important [industry] in Okinawa. = 観光業は沖縄の重要な産業だ。
company|名|会社，仲間|work for a [company] = 会社に勤める|My father's [company] makes parts for trains. = 父の会社は列車の部品を作っている。
customer|名|（店の）客，顧客|a regular [customer] = 常連客|The shop was full of [customers] on the first day of the sale. = セールの初日，店は客でいっぱいだった。
economy|名|経済|the global [economy] = 世界経済|The country's [economy] grew quickly in the 1960s. = その国の経済は1960年代に急速に成長した。
government|名|政府|the Japanese [government] = 日本政府|The [government] decided to raise the tax. = 政府は税金を引き上げることを決めた。
citizen|名|市民，国民|a senior [citizen] = 高齢者|Every [citizen] has the right to vote at eighteen. = すべての国民は18歳で投票する権利を持つ。
produce|動|～を生産する，生み出す|[produce] rice = 米を生産する|This region [produces] a lot of apples. = この地域ではりんごがたくさん生産されている。
provide|動|～を提供する，与える|[provide] information = 情報を提供する|The hotel [provides] free breakfast for all guests. = そのホテルは全宿泊客に無料で朝食を提供している。|Trees [provide] shade in summer. = 木々は夏に日陰を与えてくれる。
--
apply|動|申し込む，応募する，当てはまる|[apply] for a job = 仕事に応募する|I [applied] for a part-time job at the bookstore. = 私は書店のアルバイトに応募した。|This rule [applies] to all students. = この規則はすべての生徒に当てはまる。
manage|動|～を経営する，何とか～する|[manage] a restaurant = レストランを経営する|We [managed] to catch the last train. = 私たちは何とか終電に間に合った。
responsible|形|責任がある|be [responsible] for the project = その企画の責任者である|Who is [responsible] for cleaning this room? = この部屋の掃除は誰の担当ですか。
contract|名|契約，契約書|sign a [contract] = 契約書に署名する|The player signed a three-year [contract] with the team. = その選手はチームと3年契約を結んだ。
profit|名|利益|make a [profit] = 利益を上げる|The company made a large [profit] last year. = その会社は昨年大きな利益を上げた。
trade|名|貿易，取引|foreign [trade] = 外国貿易|Japan's [trade] with Asian countries has grown. = 日本のアジア諸国との貿易は拡大している。
population|名|人口|a large [population] = 多い人口|The [population] of this town is about 30,000. = この町の人口は約3万人だ。
vote|動|投票する|[vote] for the plan = その案に賛成の投票をする|Most students [voted] against changing the school rules. = ほとんどの生徒が校則の変更に反対票を投じた。
volunteer|名|ボランティア，志願者|work as a [volunteer] = ボランティアとして働く|Many [volunteers] helped clean the beach after the storm. = 嵐の後，多くのボランティアが浜辺の清掃を手伝った。
retire|動|引退する，退職する|[retire] at 65 = 65歳で退職する|My grandfather [retired] from his job last year. = 祖父は昨年仕事を退職した。
earn|動|（お金）を稼ぐ，得る|[earn] a living = 生計を立てる|She [earns] money by teaching the piano. = 彼女はピアノを教えてお金を稼いでいる。|He [earned] the respect of his teammates. = 彼はチームメートの尊敬を得た。
"""),
    ("Unit 5 自然と環境", 2, """
environment|名|環境|protect the [environment] = 環境を守る|Plastic waste is a serious problem for the [environment]. = プラスチックごみは環境にとって深刻な問題だ。
pollution|名|汚染|air [pollution] = 大気汚染|Water [pollution] has killed many fish in the river. = 水質汚染によって川の多くの魚が死んだ。
climate|名|気候|[climate] change = 気候変動|The [climate] here is warm and dry. = ここの気候は温暖で乾燥している。
temperature|名|温度，気温|a high [temperature] = 高温|The [temperature] dropped below zero last night. = 昨夜，気温が氷点下まで下がった。
resource|名|資源|natural [resources] = 天然資源|We should use our limited [resources] wisely. = 私たちは限りある資源を賢く使うべきだ。
protect|動|～を保護する，守る|[protect] wild animals = 野生動物を保護する|Sunglasses [protect] your eyes from strong light. = サングラスは強い光から目を守る。
disappear|動|消える，姿を消す|[disappear] from the earth = 地球上から姿を消す|The sun [disappeared] behind the clouds. = 太陽が雲の後ろに隠れた。
species|名|（生物の）種|an endangered [species] = 絶滅危惧種|Thousands of [species] live in this forest. = この森には何千もの種が生息している。
surface|名|表面|the [surface] of the moon = 月の表面|About 70 percent of the earth's [surface] is covered with water. = 地球の表面の約70パーセントは水で覆われている。
recycle|動|～を再利用する，リサイクルする|[recycle] bottles = 瓶をリサイクルする|Paper and cans are [recycled] in our town. = 私たちの町では紙と缶がリサイクルされている。
reduce|動|～を減らす|[reduce] waste = ごみを減らす|We must [reduce] the amount of CO<S=2> we produce. = 私たちは排出する二酸化炭素（CO<S=2>）の量を減らさなければならない。|Walking to school [reduces] traffic near the station. = 歩いて通学すると駅付近の交通量が減る。
--
disaster|名|災害|a natural [disaster] = 自然災害|The town was prepared for natural [disasters] like earthquakes. = その町は地震のような自然災害に備えていた。
flood|名|洪水|be damaged by the [flood] = 洪水で被害を受ける|Heavy rain caused a [flood] in the area. = 大雨でその地域に洪水が起きた。
forest|名|森林|a tropical [forest] = 熱帯林|Large areas of [forest] are cut down every year. = 毎年広い面積の森林が伐採されている。
ocean|名|大洋，海|the Pacific [Ocean] = 太平洋|Whales travel long distances across the [ocean]. = クジラは大海原を長距離移動する。
survive|動|生き残る，～を切り抜ける|[survive] the winter = 冬を越す|Few plants can [survive] in the desert. = 砂漠で生きられる植物はほとんどない。
oxygen|名|酸素|a lack of [oxygen] = 酸素不足|Water (H<S=2>O) is made of hydrogen and [oxygen]. = 水（H<S=2>O）は水素と酸素からできている。
energy|名|エネルギー，活力|solar [energy] = 太陽エネルギー|Wind power is a clean source of [energy]. = 風力はクリーンなエネルギー源だ。
harvest|名|収穫|a good [harvest] = 豊作|The farmers were busy with the rice [harvest]. = 農家の人たちは稲の収穫で忙しかった。
earthquake|名|地震|a strong [earthquake] = 強い地震|Japan has many [earthquakes] every year. = 日本では毎年多くの地震が起こる。
destroy|動|～を破壊する|[destroy] nature = 自然を破壊する|The old castle was [destroyed] by fire. = その古い城は火事で焼失した。|The storm [destroyed] many houses along the coast. = 嵐で海岸沿いの多くの家が壊れた。
"""),
    ("Unit 6 科学と技術", 2, """
invent|動|～を発明する|[invent] a new machine = 新しい機械を発明する|The telephone was [invented] in the 19th century. = 電話は19世紀に発明された。
discover|動|～を発見する|[discover] a new star = 新しい星を発見する|Scientists [discovered] water under the surface of Mars. = 科学者たちは火星の地下に水を発見した。
experiment|名|実験|do an [experiment] = 実験をする|We did an [experiment] to see how plants grow in the dark. = 私たちは暗い所で植物がどのように育つかを調べる実験をした。
research|名|研究，調査|[research] on cancer = がんの研究|Her [research] focuses on the brain. = 彼女の研究は脳に焦点を当てている。
technology|名|科学技術|modern [technology] = 現代の科学技術|New [technology] has changed the way we communicate. = 新しい技術は私たちの意思疎通の仕方を変えた。
device|名|装置，機器|an electronic [device] = 電子機器|Please turn off all electronic [devices] during the flight. = 飛行中はすべての電子機器の電源をお切りください。
data|名|データ，資料|collect [data] = データを集める|The [data] shows that fewer people are reading newspapers. = そのデータは新聞を読む人が減っていることを示している。
analyze|動|～を分析する|[analyze] the results = 結果を分析する|The team [analyzed] the water samples in the lab. = チームは研究室で水の試料を分析した。
electricity|名|電気|save [electricity] = 電気を節約する|The storm cut off the [electricity] for a whole day. = 嵐で丸一日電気が止まった。
method|名|方法|a teaching [method] = 教授法|This is the most effective [method] of learning words. = これが単語を覚える最も効果的な方法だ。
theory|名|理論，学説|Einstein's [theory] = アインシュタインの理論|His [theory] was proved true many years later. = 彼の理論は何年も後になって正しいと証明された。
--
connect|動|～をつなぐ，接続する|[connect] to the Internet = インターネットに接続する|This bridge [connects] the island to the mainland. = この橋は島と本土を結んでいる。
develop|動|～を開発する，発達させる，発達する|[develop] a new product = 新製品を開発する|The company is [developing] a car that drives itself. = その会社は自動で走る車を開発している。|Children [develop] language skills very quickly. = 子どもは言語能力を非常に速く発達させる。
predict|動|～を予測する|[predict] the weather = 天気を予測する|No one can [predict] exactly when an earthquake will happen. = 地震がいつ起きるかを正確に予測できる人はいない。
replace|動|～に取って代わる，～を取り替える|[replace] the battery = 電池を交換する|Will robots [replace] human workers in the future? = 将来ロボットが人間の労働者に取って代わるだろうか。
function|名|機能，働き|the [function] of the heart = 心臓の働き|This phone has a useful translation [function]. = この電話には便利な翻訳機能がある。
artificial|形|人工の|[artificial] intelligence = 人工知能|The park has an [artificial] lake. = その公園には人造湖がある。
digital|形|デジタルの|a [digital] camera = デジタルカメラ|Many libraries now keep [digital] copies of old books. = 今では多くの図書館が古い本のデジタル版を保管している。
laboratory|名|実験室，研究所|a science [laboratory] = 理科の実験室|The samples were sent to a [laboratory] for testing. = 試料は検査のため研究所に送られた。
planet|名|惑星|a distant [planet] = 遠く離れた惑星|Earth is the only [planet] known to have life. = 地球は生命が存在することが知られている唯一の惑星だ。
measure|動|～を測る|[measure] the length = 長さを測る|The nurse [measured] my height and weight. = 看護師が私の身長と体重を測った。
scientific|形|科学的な|[scientific] evidence = 科学的な証拠|There is no [scientific] proof that the story is true. = その話が本当だという科学的な証拠はない。
"""),
    ("Unit 7 健康と体", 2, """
health|名|健康|be in good [health] = 健康である|Smoking is bad for your [health]. = 喫煙は健康に悪い。
exercise|名|運動|get regular [exercise] = 定期的に運動する|Light [exercise] like walking is good for the heart. = ウォーキングのような軽い運動は心臓によい。
disease|名|病気|heart [disease] = 心臓病|The [disease] spread quickly through the village. = その病気は村中にすぐ広まった。
symptom|名|症状|[symptoms] of a cold = 風邪の症状|A high fever is a common [symptom] of the flu. = 高熱はインフルエンザによくある症状だ。
medicine|名|薬，医学|take [medicine] = 薬を飲む|Take this [medicine] three times a day after meals. = この薬を1日3回，食後に飲んでください。
injury|名|けが，負傷|a serious [injury] = 重傷|He missed the game because of a knee [injury]. = 彼はひざのけがのため試合に出られなかった。
recover|動|回復する|[recover] from an illness = 病気から回復する|She [recovered] quickly after the operation. = 彼女は手術後すぐに回復した。
breathe|動|呼吸する|[breathe] deeply = 深呼吸する|It was hard to [breathe] at the top of the mountain. = 山頂では呼吸するのが苦しかった。
diet|名|食事，食生活，ダイエット|a balanced [diet] = バランスのとれた食事|A [diet] rich in vegetables keeps you healthy. = 野菜の多い食生活は健康を保つ。
nutrition|名|栄養|good [nutrition] = 十分な栄養|Children need proper [nutrition] to grow. = 子どもが成長するには適切な栄養が必要だ。
prevent|動|～を防ぐ|[prevent] an accident = 事故を防ぐ|Washing your hands helps [prevent] colds. = 手を洗うことは風邪の予防に役立つ。|Heavy snow [prevented] us from going out. = 大雪のため私たちは外出できなかった。
--
physical|形|身体の，物質的な|[physical] strength = 体力|Regular exercise improves both [physical] and mental health. = 定期的な運動は心身両方の健康を向上させる。
mental|形|精神の，心の|[mental] health = 心の健康|Too much stress can cause [mental] problems. = 過度のストレスは心の問題を引き起こすことがある。
pain|名|痛み|a sharp [pain] = 鋭い痛み|I have a [pain] in my back. = 背中が痛い。
cure|動|～を治す|[cure] a disease = 病気を治す|This medicine cannot [cure] the disease, but it can ease the pain. = この薬でその病気は治せないが，痛みを和らげることはできる。
hospital|名|病院|be in the [hospital] = 入院している|My uncle was taken to the [hospital] by ambulance. = おじは救急車で病院に運ばれた。
stress|名|ストレス，圧力，強調|reduce [stress] = ストレスを減らす|Listening to music helps me deal with [stress]. = 音楽を聴くとストレスにうまく対処できる。
muscle|名|筋肉|build [muscle] = 筋肉をつける|Swimming uses almost every [muscle] in the body. = 水泳では体のほとんどすべての筋肉を使う。
sight|名|視力，光景|lose one's [sight] = 視力を失う|The sunrise from the mountain was a beautiful [sight]. = 山から見た日の出は美しい光景だった。
suffer|動|苦しむ，（苦痛など）を受ける|[suffer] from a headache = 頭痛に苦しむ|Many people [suffer] from hay fever in spring. = 春には多くの人が花粉症に苦しむ。
aware|形|気づいている，知っている|be [aware] of the danger = 危険に気づいている|Are you [aware] of how much sugar is in this drink? = この飲み物にどれほどの砂糖が入っているか知っていますか。
condition|名|状態，条件|be in good [condition] = 調子がよい|The car is old but still in good [condition]. = その車は古いが，まだ状態はよい。
"""),
    ("Unit 8 旅行と文化", 3, """
culture|名|文化|Japanese [culture] = 日本文化|I want to learn more about the [culture] of Spain. = スペインの文化についてもっと知りたい。
tradition|名|伝統，慣習|a long [tradition] = 長い伝統|It is a [tradition] to eat rice cakes at New Year. = 正月に餅を食べるのが伝統だ。
custom|名|習慣，風習|a local [custom] = 地元の風習|Taking off your shoes at the door is a Japanese [custom]. = 玄関で靴を脱ぐのは日本の習慣だ。
foreign|形|外国の|a [foreign] language = 外国語|Learning a [foreign] language opens up new worlds. = 外国語を学ぶと新しい世界が開ける。
abroad|副|外国へ，外国で|study [abroad] = 留学する|My brother has never been [abroad]. = 兄は一度も外国に行ったことがない。
journey|名|旅行，旅|a long [journey] = 長旅|The [journey] from Tokyo to Paris took about 14 hours. = 東京からパリまでの旅は約14時間かかった。
destination|名|目的地，行き先|a popular tourist [destination] = 人気の観光地|We finally reached our [destination] after a long drive. = 長時間のドライブの後，ようやく目的地に着いた。
reserve|動|～を予約する|[reserve] a table = 席を予約する|I [reserved] a room at a hotel near the station. = 駅の近くのホテルの部屋を予約した。
passenger|名|乗客|[passengers] on the bus = バスの乗客|All [passengers] must wear seat belts. = 乗客は全員シートベルトを着用しなければならない。
souvenir|名|記念品，みやげ|buy a [souvenir] = おみやげを買う|I bought some sweets as a [souvenir] for my family. = 家族へのおみやげにお菓子を買った。
translate|動|～を翻訳する|[translate] English into Japanese = 英語を日本語に訳す|This novel has been [translated] into twenty languages. = この小説は20の言語に翻訳されている。
--
native|形|生まれた土地の，母語の|a [native] speaker of English = 英語を母語とする人|She went back to her [native] country after ten years. = 彼女は10年ぶりに母国に戻った。
exhibition|名|展示会，展覧会|an art [exhibition] = 美術展|The museum is holding an [exhibition] of old maps. = その博物館では古地図の展示会を開いている。
ancient|形|古代の|[ancient] history = 古代史|We visited the ruins of an [ancient] city. = 私たちは古代都市の遺跡を訪れた。
religion|名|宗教|freedom of [religion] = 信教の自由|People of many [religions] live together in this city. = この都市ではさまざまな宗教の人々が共に暮らしている。
festival|名|祭り|a summer [festival] = 夏祭り|The town holds a big fireworks [festival] every August. = その町は毎年8月に大きな花火大会を開く。
architecture|名|建築，建築様式|modern [architecture] = 近代建築|Kyoto is famous for its traditional [architecture]. = 京都は伝統的な建築で有名だ。
guide|名|案内人，ガイド|a tour [guide] = ツアーガイド|Our [guide] told us the history of the temple. = ガイドが私たちにその寺の歴史を話してくれた。
local|形|地元の，その土地の|[local] food = 郷土料理|We bought fresh fish at the [local] market. = 私たちは地元の市場で新鮮な魚を買った。
communicate|動|意思を伝え合う，連絡を取る|[communicate] with people = 人々と意思疎通する|We [communicated] with gestures because we didn't share a language. = 共通の言語がなかったので，私たちは身ぶりで意思を伝え合った。|You can [communicate] with me by e-mail at ken<A=>example.jp. = 私とはken<A=>example.jpへのメールで連絡が取れます。
diverse|形|多様な|a [diverse] society = 多様な社会|Tokyo has become a more culturally [diverse] city. = 東京は文化的により多様な都市になった。
heritage|名|遺産|a World [Heritage] site = 世界遺産|Mount Fuji became a World [Heritage] site in 2013. = 富士山は2013年に世界遺産になった。
"""),
    ("Unit 9 考えと意見", 3, """
opinion|名|意見|in my [opinion] = 私の意見では|What is your [opinion] of the new plan? = 新しい計画についてあなたの意見はどうですか。
agree|動|同意する，賛成する|[agree] with you = あなたに賛成する|I don't [agree] that homework should be banned. = 宿題を禁止すべきだということには賛成しない。
suggest|動|～を提案する，示唆する|[suggest] a new idea = 新しい考えを提案する|My friend [suggested] that we go to the zoo. = 友達が動物園に行こうと提案した。|The results [suggest] that the medicine works. = その結果は薬が効くことを示唆している。
consider|動|～をよく考える，～とみなす|[consider] the problem = その問題をよく考える|I'm [considering] studying in Australia next year. = 来年オーストラリアに留学することを検討している。
decide|動|～を決める，決心する|[decide] to go = 行くことに決める|She [decided] to join the drama club. = 彼女は演劇部に入ることに決めた。
compare|動|～を比較する|[compare] A with B = AをBと比較する|[Compare] the two pictures and find five differences. = 2枚の絵を比べて5つの違いを見つけなさい。
imagine|動|～を想像する|[imagine] the future = 未来を想像する|Can you [imagine] life without electricity? = 電気のない生活を想像できますか。
realize|動|～に気づく，～を実現する|[realize] one's mistake = 自分の間違いに気づく|I didn't [realize] how late it was. = どれほど遅い時間になっていたか気づかなかった。|She finally [realized] her dream of living in Paris. = 彼女はついにパリに住むという夢を実現した。
doubt|名|疑い|without [doubt] = 疑いなく|There is no [doubt] that he is the best player on the team. = 彼がチームで一番の選手であることは疑いない。
evidence|名|証拠|strong [evidence] = 有力な証拠|The police found new [evidence] at the scene. = 警察は現場で新たな証拠を見つけた。
reason|名|理由|for this [reason] = こういう理由で|Tell me the [reason] why you were absent. = 欠席した理由を教えてください。
--
believe|動|～を信じる|[believe] in oneself = 自分を信じる|I can't [believe] you finished the book in one day. = あなたがその本を1日で読み終えたなんて信じられない。
support|動|～を支持する，支える|[support] the idea = その考えを支持する|My family [supported] me when I was in trouble. = 困っていたとき家族が私を支えてくれた。
oppose|動|～に反対する|[oppose] the plan = その計画に反対する|Many local people [opposed] building the new airport. = 多くの地元住民が新空港の建設に反対した。
persuade|動|～を説得する|[persuade] him to stay = 彼を説得してとどまらせる|I [persuaded] my parents to let me go to the concert. = 私は両親を説得してコンサートに行かせてもらった。
conclusion|名|結論|come to a [conclusion] = 結論に達する|After a long discussion, we reached a [conclusion]. = 長い議論の末，私たちは結論に達した。
fact|名|事実|as a matter of [fact] = 実のところ|It is a [fact] that the earth goes around the sun. = 地球が太陽の周りを回っているのは事実だ。
attitude|名|態度，考え方|a positive [attitude] = 前向きな態度|Your [attitude] toward mistakes is important. = 間違いに対する姿勢が大切だ。
criticize|動|～を批判する|[criticize] the government = 政府を批判する|The movie was [criticized] for being too long. = その映画は長すぎると批判された。
judge|動|～を判断する|[judge] by appearances = 外見で判断する|Don't [judge] a book by its cover. = 表紙で本を判断してはいけない（人は見かけによらない）。
logical|形|論理的な|a [logical] explanation = 論理的な説明|Her argument was clear and [logical]. = 彼女の主張は明確で論理的だった。
purpose|名|目的|the [purpose] of the trip = 旅行の目的|What is the [purpose] of your visit? = ご訪問の目的は何ですか。
"""),
    ("Unit 10 変化と問題解決", 3, """
increase|動|増える，～を増やす|[increase] in number = 数が増える|The number of foreign tourists has [increased] sharply. = 外国人観光客の数が急増した。
decrease|動|減る，～を減らす|[decrease] by 10 percent = 10パーセント減る|The number of children in Japan is [decreasing]. = 日本の子どもの数は減少している。
affect|動|～に影響を与える|[affect] the result = 結果に影響する|Lack of sleep can [affect] your concentration. = 睡眠不足は集中力に影響することがある。
influence|名|影響，影響力|have an [influence] on young people = 若者に影響を与える|My aunt had a strong [influence] on my choice of career. = おばは私の職業選択に大きな影響を与えた。
cause|名|原因|the [cause] of the fire = 火事の原因|Careless driving is a major [cause] of accidents. = 不注意な運転は事故の大きな原因だ。
result|名|結果|as a [result] = その結果|The [results] of the survey surprised everyone. = 調査の結果に皆が驚いた。
situation|名|状況，立場|a difficult [situation] = 困難な状況|What would you do in my [situation]? = 私の立場だったらあなたはどうしますか。
issue|名|問題，論点，発行|a social [issue] = 社会問題|Food waste is a serious [issue] in many countries. = 食品ロスは多くの国で深刻な問題だ。
demand|名|需要，要求|supply and [demand] = 需要と供給|There is a growing [demand] for electric cars. = 電気自動車の需要が高まっている。
avoid|動|～を避ける|[avoid] traffic jams = 交通渋滞を避ける|You should [avoid] eating too much sugar. = 砂糖を取りすぎないようにするべきだ。
reform|名|改革|political [reform] = 政治改革|The new leader promised to carry out tax [reform]. = 新しい指導者は税制改革を実行すると約束した。
--
transform|動|～を一変させる，変形させる|[transform] society = 社会を一変させる|The old factory was [transformed] into a museum. = 古い工場は博物館に生まれ変わった。
adapt|動|適応する，～を適合させる|[adapt] to a new environment = 新しい環境に適応する|It took me a few months to [adapt] to life in London. = ロンドンでの生活に慣れるのに数か月かかった。
handle|動|～を処理する，扱う|[handle] a problem = 問題に対処する|She [handled] the difficult situation very calmly. = 彼女はその難しい状況にとても冷静に対処した。
progress|名|進歩，前進|make [progress] = 進歩する|You've made great [progress] in your English this year. = 今年あなたの英語はとても上達しましたね。
risk|名|危険，危険性|take a [risk] = 危険を冒す|Eating too much salt increases the [risk] of heart disease. = 塩分の取りすぎは心臓病の危険性を高める。
crisis|名|危機|an energy [crisis] = エネルギー危機|The country is facing an economic [crisis]. = その国は経済危機に直面している。
opportunity|名|機会|a good [opportunity] = よい機会|Studying abroad is a great [opportunity] to grow. = 留学は成長するためのすばらしい機会だ。
succeed|動|成功する|[succeed] in business = 事業で成功する|He finally [succeeded] in passing the exam. = 彼はついに試験に合格した。
fail|動|失敗する，（試験）に落ちる|[fail] an exam = 試験に落ちる|Don't give up even if you [fail] the first time. = 最初に失敗しても諦めてはいけない。
gradually|副|徐々に，次第に|[gradually] improve = 徐々に良くなる|The weather [gradually] got warmer. = 天候は次第に暖かくなった。
solution|名|解決策，解答|find a [solution] = 解決策を見つける|There is no easy [solution] to this problem. = この問題に簡単な解決策はない。|We worked together to find a [solution]. = 私たちは協力して解決策を探った。
"""),
]

PARTS = [("Part 1 基礎レベル", 0, 5), ("Part 2 標準レベル", 5, 10)]

Q_MEANING_TO_WORD, Q_WORD_TO_MEANING, Q_FILL_IN = 1, 2, 3
WORDS_PER_PAGE = 4
FIRST_PAGE = 6
BLANK = "　　　　　"

# Attribute classes: 2..5 describe headwords, 101 describes sentences.
A_NUMBER, A_PAGE, A_POS, A_LEVEL, A_ORIGIN = 2, 3, 4, 5, 101
ORIGIN_BOOK, ORIGIN_WORKBOOK = 1, 20


def parse_pair(text):
    english, japanese = text.split(" = ")
    return english.strip(), japanese.strip()


def unbracket(text):
    return text.replace("[", "").replace("]", "")


def target_of(text):
    return text[text.index("[") + 1:text.index("]")]


def with_blank(text):
    """The English sentence with the headword replaced by a blank that gives
    the first letter, as in "( a　　　　　 )"."""
    word = target_of(text)
    start, end = text.index("["), text.index("]") + 1
    return text[:start] + "( " + word[0] + BLANK + " )" + text[end:]


def underlined(text):
    return text.replace("[", "<L=").replace("]", ">")


def parse_units():
    units = []
    for title, level, block in UNITS:
        sections = [[]]
        for line in block.strip().splitlines():
            if line.strip() == "--":
                sections.append([])
                continue
            fields = line.split("|")
            word, pos, meaning, phrase = fields[:4]
            sections[-1].append({
                "word": word, "pos": pos, "meaning": meaning,
                "phrase": parse_pair(phrase),
                "examples": [parse_pair(f) for f in fields[4:]],
                "level": level,
            })
        units.append((title, sections))
    return units


def build():
    book = Book(dbid="TV-E101-0001", product="101", range_number=1, bid=111, title=TITLE)

    book.add_question(Q_MEANING_TO_WORD, "日本語→英語",
                      "次の日本語に合う英語を書きなさい。", "答（　　　　　　　　　　）")
    book.add_question(Q_WORD_TO_MEANING, "英語→日本語",
                      "次の英語の意味を日本語で書きなさい。", "答（　　　　　　　　　　　　　　）")
    book.add_question(Q_FILL_IN, "空所補充",
                      "日本文の意味に合うように，英文の（　）内に適切な語を入れなさい。"
                      "ただし，示された文字で始まる語を書くこと。",
                      "答（　　　　　　　　）", spc=1, is_alter=True)

    book.add_attr_class(A_NUMBER, "番号", "見出し語番号", 0, is_range=True)
    book.add_attr_class(A_PAGE, "頁", "ページ", 0, is_range=True)
    book.add_attr_class(A_LEVEL, "レベル", "難易度レベル", 0, is_range=True)
    book.add_attr_class(A_POS, "品詞", "品詞", 1)
    book.add_attr_class(A_ORIGIN, "出典", "例文の出典", 0)
    book.comments["sentences"] = [
        "attribute 101: 1 = example in the book itself, 20 = extra example from the workbook"]

    book.add_index(None, "はじめに", page=2, enable=False)
    book.add_index(None, "本書の使い方", page=3, enable=False)

    units = parse_units()
    number, page, sid = 0, FIRST_PAGE, {q: q * 10000 for q in (1, 2, 3)}

    def next_sid(qid):
        sid[qid] += 1
        return sid[qid]

    for part_title, first, last in PARTS:
        part = book.add_index(None, part_title, page=page)
        for unit_title, sections in units[first:last]:
            unit = book.add_index(part, unit_title, page=page)
            for s, words in enumerate(sections, start=1):
                title = "Section %d（No.%d～%d）" % (s, number + 1, number + len(words))
                section = book.add_index(unit, title, page=page)
                for i, w in enumerate(words):
                    number += 1
                    word_page = page + i // WORDS_PER_PAGE
                    book.add_keyword(number, w["word"], [
                        (A_NUMBER, 0, number), (A_PAGE, 0, word_page),
                        (A_POS, 0, w["pos"]), (A_LEVEL, 0, w["level"])])
                    book.relate(section, number)
                    add_sentences(book, number, w, next_sid)
                page += (len(words) + WORDS_PER_PAGE - 1) // WORDS_PER_PAGE
    book.add_index(None, "さくいん", page=page, enable=False)

    for acid in (A_NUMBER, A_PAGE, A_LEVEL):
        book.set_range_from_keywords(acid)
    return book


def add_sentences(book, number, w, next_sid):
    def origin(value):
        return [(A_ORIGIN, 0, value)]

    phrase_en, phrase_ja = w["phrase"]
    book.add_sentence(next_sid(1), number, Q_MEANING_TO_WORD,
                      "［%s］%s" % (w["pos"], w["meaning"]), w["word"], origin(ORIGIN_BOOK))
    book.add_sentence(next_sid(1), number, Q_MEANING_TO_WORD,
                      gaiji(phrase_ja), unbracket(phrase_en), origin(ORIGIN_BOOK))
    book.add_sentence(next_sid(2), number, Q_WORD_TO_MEANING,
                      w["word"], "［%s］%s" % (w["pos"], w["meaning"]), origin(ORIGIN_BOOK))
    # The phrase drills of every fifth headword and the second example of
    # every third one come from the workbook.
    book.add_sentence(next_sid(2), number, Q_WORD_TO_MEANING,
                      underlined(phrase_en), gaiji(phrase_ja),
                      origin(ORIGIN_WORKBOOK if number % 5 == 0 else ORIGIN_BOOK))
    for n, (english, japanese) in enumerate(w["examples"]):
        extra = n > 0 and number % 3 == 0
        book.add_sentence(next_sid(3), number, Q_FILL_IN,
                          gaiji(japanese) + "@" + with_blank(english), target_of(english),
                          origin(ORIGIN_WORKBOOK if extra else ORIGIN_BOOK))
