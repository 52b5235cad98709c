object PeopleDlg: TPeopleDlg
  Left = 200
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Выбор'
  ClientHeight = 500
  ClientWidth = 640
  Color = clBtnFace
  Font.Name = 'MS Sans Serif'
  Font.Height = -11
  Position = poScreenCenter
  OnCreate = FormCreate
  OnClose = FormClose
  object Panel1: TPanel
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object OKBtn: TButton
      Left = 392
      Top = 8
      Width = 75
      Height = 25
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object SkipBtn: TButton
      Left = 473
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Пропустить'
      ModalResult = 5
      TabOrder = 1
    end
    object CancelBtn: TButton
      Left = 554
      Top = 8
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Отмена'
      ModalResult = 2
      TabOrder = 2
    end
  end
  object PageControl1: TPageControl
    Align = alClient
    ActivePage = TabSheet1
    TabOrder = 0
    OnChange = PageControl1Change
    object TabSheet1: TTabSheet
      Caption = 'Выбор из картотеки'
      object Panel2: TPanel
        Height = 56
        Align = alTop
        BevelOuter = bvNone
        TabOrder = 0
        object LabeledEdit4: TLabeledEdit
          Left = 8
          Top = 24
          Width = 200
          Height = 21
          EditLabel.Caption = 'Поиск по фамилии'
          TabOrder = 0
          OnKeyDown = LabeledEdit4KeyDown
        end
        object Label5: TLabel
          Left = 216
          Top = 28
          Width = 120
          Height = 13
        end
        object Label6: TLabel
          Left = 340
          Top = 28
          Width = 120
          Height = 13
        end
        object DBNavigator1: TDBNavigator
          Left = 480
          Top = 22
          Width = 140
          Height = 24
          Flat = True
          VisibleButtons = [nbFirst, nbPrior, nbNext, nbLast, nbRefresh]
        end
      end
      object dxDBGrid1: TdxDBGrid
        Align = alClient
        TabOrder = 1
        KeyField = 'O_PEOPLEID'
        OptionsDB = [edgoCanNavigation, edgoLoadAllRecords]
        OptionsView = [edgoAutoWidth, edgoRowSelect]
        object dxDBGrid1O_PEOPLEID: TdxDBGridMaskColumn
          Visible = False
          FieldName = 'O_PEOPLEID'
        end
        object dxDBGrid1FSTNAME: TdxDBGridColumn
          FieldName = 'FSTNAME'
        end
        object dxDBGrid1SECNAME: TdxDBGridColumn
          FieldName = 'SECNAME'
        end
        object dxDBGrid1LASTNAME: TdxDBGridColumn
          FieldName = 'LASTNAME'
        end
        object dxDBGrid1BIRTHDATE: TdxDBGridDateColumn
          FieldName = 'BIRTHDATE'
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'новая запись'
      object LabeledEdit1: TLabeledEdit
        Left = 8
        Top = 24
        Width = 300
        Height = 21
        EditLabel.Caption = 'фамилия'
        TabOrder = 0
      end
      object LabeledEdit2: TLabeledEdit
        Left = 8
        Top = 68
        Width = 300
        Height = 21
        EditLabel.Caption = 'имя'
        TabOrder = 1
      end
      object LabeledEdit3: TLabeledEdit
        Left = 8
        Top = 112
        Width = 300
        Height = 21
        EditLabel.Caption = 'отчество'
        TabOrder = 2
      end
      object Label7: TLabel
        Left = 8
        Top = 140
        Width = 100
        Height = 13
        Caption = 'дата рождения'
      end
      object DateTimePicker1: TDateTimePicker
        Left = 8
        Top = 156
        Width = 140
        Height = 21
        TabOrder = 3
      end
      object Label8: TLabel
        Left = 160
        Top = 140
        Width = 100
        Height = 13
        Caption = 'пол'
      end
      object ComboBoxEx2: TComboBoxEx
        Left = 160
        Top = 156
        Width = 148
        Height = 22
        Style = csExDropDownList
        TabOrder = 4
        OnChange = ComboBoxEx2Change
      end
      object LabeledEdit5: TLabeledEdit
        Left = 8
        Top = 200
        Width = 600
        Height = 21
        EditLabel.Caption = 'должность'
        TabOrder = 5
      end
      object Label4: TLabel
        Left = 8
        Top = 232
        Width = 600
        Height = 30
        AutoSize = False
        Color = 13434879
        ParentColor = False
        WordWrap = True
      end
      object Label9: TLabel
        Left = 8
        Top = 270
        Width = 200
        Height = 13
        Caption = 'категория служащего'
      end
      object cxExtLookupComboBox1: TcxExtLookupComboBox
        Left = 8
        Top = 286
        Width = 300
        Height = 21
        TabOrder = 6
      end
    end
  end
end
